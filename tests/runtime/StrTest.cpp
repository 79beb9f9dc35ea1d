#include "platform/runtime/Str.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace runtime {
namespace {

TEST(Str, NonNegativeNumbersGetALeadingBlank) {
    EXPECT_EQ(Str(5), " 5");
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(Str(32767), " 32767");
    EXPECT_EQ("Icona " + Str(0), "Icona  0");
}

TEST(Str, NegativeNumbersGetTheirSignInstead) {
    EXPECT_EQ(Str(-5), "-5");
    EXPECT_EQ(Str(-32768), "-32768");
}

TEST(Str, WideValuesKeepEveryDigit) {
    EXPECT_EQ(Str(INT64_MAX), " 9223372036854775807");
    EXPECT_EQ(Str(INT64_MIN), "-9223372036854775808");
}

}  // namespace
}  // namespace runtime
