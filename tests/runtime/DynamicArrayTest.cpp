#include "platform/runtime/DynamicArray.h"

#include <gtest/gtest.h>

#include "tests/support/RaisedNumber.h"

#include <memory>
#include <string>

namespace runtime {
namespace {

using testsupport::RaisedNumber;

TEST(DynamicArray, AnyIndexOfAnUnallocatedArrayRaises9) {
    DynamicArray<int> array;
    EXPECT_FALSE(array.IsAllocated());
    EXPECT_EQ(RaisedNumber([&] { (void)array(0); }), errSubscriptOutOfRange);
    EXPECT_EQ(RaisedNumber([&] { (void)array(-1); }), errSubscriptOutOfRange);
    EXPECT_EQ(RaisedNumber([&] { (void)array.UBound(); }), errSubscriptOutOfRange);
}

TEST(DynamicArray, BoundsAfterReDim) {
    DynamicArray<std::string> array;
    array.ReDim(2);
    EXPECT_TRUE(array.IsAllocated());
    EXPECT_EQ(array.UBound().Value(), 2);
    array(2) = "last";
    EXPECT_EQ(array(2), "last");
    EXPECT_EQ(array(0), "");
    EXPECT_EQ(RaisedNumber([&] { (void)array(3); }), errSubscriptOutOfRange);
    EXPECT_EQ(RaisedNumber([&] { (void)array(-1); }), errSubscriptOutOfRange);
    EXPECT_EQ(RaisedNumber([&] { array.ReDim(-1); }), errSubscriptOutOfRange);
}

TEST(DynamicArray, ReDimReleasesTheOldElements) {
    auto shared = std::make_shared<int>(42);
    DynamicArray<std::shared_ptr<int>> array;
    array.ReDim(1);
    array(0) = shared;
    array(1) = shared;
    EXPECT_EQ(shared.use_count(), 3);
    array.ReDim(0);
    EXPECT_EQ(shared.use_count(), 1);
    EXPECT_EQ(array(0), nullptr);
}

TEST(DynamicArray, ReDimPreserveKeepsWhatFits) {
    auto first = std::make_shared<int>(1);
    auto second = std::make_shared<int>(2);
    DynamicArray<std::shared_ptr<int>> array;
    array.ReDimPreserve(0);  // allocates an array that was not
    array(0) = first;
    array.ReDimPreserve(1);
    array(1) = second;
    EXPECT_EQ(array(0), first);
    EXPECT_EQ(array(1), second);
    array.ReDimPreserve(0);  // shrinking drops the elements past the new bound
    EXPECT_EQ(array(0), first);
    EXPECT_EQ(second.use_count(), 1);
    EXPECT_EQ(RaisedNumber([&] { (void)array(1); }), errSubscriptOutOfRange);
}

TEST(DynamicArray, EraseReleasesEverything) {
    auto shared = std::make_shared<int>(3);
    DynamicArray<std::shared_ptr<int>> array;
    array.ReDim(0);
    array(0) = shared;
    array.Erase();
    EXPECT_FALSE(array.IsAllocated());
    EXPECT_EQ(shared.use_count(), 1);
    EXPECT_EQ(RaisedNumber([&] { (void)array(0); }), errSubscriptOutOfRange);
}

TEST(DynamicArray, TheLargestUpperBound) {
    DynamicArray<char> array;
    array.ReDim(32767);
    EXPECT_EQ(array.UBound().Value(), 32767);
    array(32767) = 'z';
    EXPECT_EQ(array(32767), 'z');
}

}  // namespace
}  // namespace runtime
