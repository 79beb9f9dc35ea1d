#include "platform/runtime/Integer.h"

#include <gtest/gtest.h>

#include "tests/support/RaisedNumber.h"

namespace runtime {
namespace {

using testsupport::RaisedNumber;

TEST(Integer, ArithmeticInsideTheRange) {
    EXPECT_EQ((Integer(32766) + Integer(1)).Value(), 32767);
    EXPECT_EQ((Integer(-32767) - Integer(1)).Value(), -32768);
    EXPECT_EQ((Integer(-1) + Integer(1)).Value(), 0);
    EXPECT_EQ((Integer(100) - Integer(-100)).Value(), 200);
}

TEST(Integer, LeavingTheRangeRaisesOverflow) {
    EXPECT_EQ(RaisedNumber([] { (void)(Integer(32767) + Integer(1)); }), errOverflow);
    EXPECT_EQ(RaisedNumber([] { (void)(Integer(-32768) - Integer(1)); }), errOverflow);
    EXPECT_EQ(RaisedNumber([] { (void)(Integer(-32768) + Integer(-1)); }), errOverflow);
    EXPECT_EQ(RaisedNumber([] { (void)(Integer(0) - Integer(-32768)); }), errOverflow);
}

TEST(Integer, FromWideValues) {
    EXPECT_EQ(Integer::From(32767).Value(), 32767);
    EXPECT_EQ(Integer::From(-32768).Value(), -32768);
    EXPECT_EQ(RaisedNumber([] { (void)Integer::From(32768); }), errOverflow);
    EXPECT_EQ(RaisedNumber([] { (void)Integer::From(-32769); }), errOverflow);
}

TEST(Integer, ACounterLoopStopsWithOverflowPastTheTop) {
    Integer counter = 32760;
    int steps = 0;
    EXPECT_EQ(RaisedNumber([&] {
                  for (;;) {
                      counter = counter + 1;
                      ++steps;
                  }
              }),
              errOverflow);
    EXPECT_EQ(counter.Value(), 32767);
    EXPECT_EQ(steps, 7);
}

TEST(Integer, PlainIntsOnEitherSideUseTheCheckedOperators) {
    const Integer count = 3;
    EXPECT_TRUE(count == 3);
    EXPECT_TRUE(3 == count);
    EXPECT_TRUE(count > 0);
    EXPECT_TRUE(0 < count);
    EXPECT_EQ((count - 1).Value(), 2);
    EXPECT_EQ((1 + count).Value(), 4);
    EXPECT_EQ((10 - count).Value(), 7);
    EXPECT_EQ(RaisedNumber([] { (void)(Integer(32767) + 1); }), errOverflow);
    EXPECT_EQ(RaisedNumber([] { (void)(Integer(-32768) - 1); }), errOverflow);
    EXPECT_EQ(RaisedNumber([] { (void)(1 + Integer(32767)); }), errOverflow);
    EXPECT_EQ(RaisedNumber([] { (void)(-2 - Integer(32767)); }), errOverflow);
    // A value far outside the 16 bits is not cut down before the check.
    EXPECT_EQ(RaisedNumber([] { (void)(Integer(0) + 65536); }), errOverflow);
}

TEST(Integer, TheListWalkOfTheWindow) {
    const Integer last = Integer(4) - 1;
    int visited = 0;
    for (Integer i = 0; i <= last; i = i + 1) {
        ++visited;
    }
    EXPECT_EQ(visited, 4);
    const Integer empty = Integer(0) - 1;
    for (Integer i = 0; i <= empty; i = i + 1) {
        ADD_FAILURE() << "an empty list has no entries to walk";
    }
}

TEST(Integer, Comparisons) {
    EXPECT_LT(Integer(-1), Integer(0));
    EXPECT_EQ(Integer(7), Integer(7));
    EXPECT_GT(Integer(32767), Integer(-32768));
}

}  // namespace
}  // namespace runtime
