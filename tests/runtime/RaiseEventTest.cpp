// Raising events from code: the handler runs at once and its error reaches the caller.
#include "platform/runtime/Event.h"

#include <gtest/gtest.h>

#include "platform/runtime/RuntimeError.h"
#include "tests/support/RaisedNumber.h"

namespace runtime {
namespace {

using testsupport::RaisedNumber;

TEST(RaiseEvent, RunsTheHandlerAndLetsItsErrorReachTheCaller) {
    int calls = 0;
    RaiseEvent([&] { ++calls; });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(RaisedNumber([] { RaiseEvent([] { Raise(errPathNotFound); }); }), errPathNotFound);
    RaiseEvent(Event());  // no handler wired: nothing happens
}

}  // namespace
}  // namespace runtime
