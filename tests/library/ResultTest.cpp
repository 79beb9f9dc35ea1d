// quorvane::Result: a value or a reason, never both.
#include <gtest/gtest.h>
#include <quorvane/Result.h>

#include <memory>
#include <optional>

namespace {

TEST(Result, HoldsAValueOrAReason) {
    const quorvane::Result<int> value = 7;
    EXPECT_TRUE(value.ok());
    EXPECT_TRUE(static_cast<bool>(value));
    EXPECT_EQ(value.value(), 7);
    EXPECT_EQ(value.error(), "");

    const quorvane::Result<int> failure = quorvane::Error{"the file is empty"};
    EXPECT_FALSE(failure.ok());
    EXPECT_FALSE(static_cast<bool>(failure));
    EXPECT_EQ(failure.error(), "the file is empty");
    EXPECT_THROW((void)failure.value(), std::bad_optional_access);
}

TEST(Result, GivesAMoveOnlyValueAway) {
    quorvane::Result<std::unique_ptr<int>> result = std::make_unique<int>(3);
    std::unique_ptr<int> taken = std::move(result).value();
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(*taken, 3);
}

}  // namespace
