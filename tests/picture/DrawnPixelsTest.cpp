// The kept drawings: found again for the same group snapshot and size only, never for a group that
// is gone, the least recently used going first.
#include <gtest/gtest.h>

#include "platform/picture/DrawnPixels.h"

namespace {

using platform::icons::IconGroup;
using platform::picture::DrawnPixels;

toolkit::ArgbPixels Filled(int side, std::uint32_t value) {
    return {side, side, std::vector<std::uint32_t>(static_cast<std::size_t>(side * side), value)};
}

TEST(DrawnPixels, AGroupIsFoundAgainAtTheSizeItWasDrawnOnly) {
    DrawnPixels kept(4);
    auto group = std::make_shared<const IconGroup>();
    auto other = std::make_shared<const IconGroup>();
    kept.Keep(group, Filled(32, 7));

    const auto found = kept.Find(group, 32, 32);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->pixels, Filled(32, 7).pixels);
    EXPECT_FALSE(kept.Find(group, 48, 48));
    EXPECT_FALSE(kept.Find(other, 32, 32)) << "another snapshot, even of the same file";

    const IconGroup* address = group.get();
    group.reset();
    auto reborn = std::make_shared<const IconGroup>();
    EXPECT_FALSE(kept.Find(reborn, 32, 32)) << (reborn.get() == address ? "same address" : "");
}

TEST(DrawnPixels, TheLeastRecentlyUsedGoesFirstAndLargePicturesAreNotKept) {
    DrawnPixels kept(2);
    auto a = std::make_shared<const IconGroup>();
    auto b = std::make_shared<const IconGroup>();
    auto c = std::make_shared<const IconGroup>();
    kept.Keep(a, Filled(16, 1));
    kept.Keep(b, Filled(16, 2));
    ASSERT_TRUE(kept.Find(a, 16, 16));  // a is now the most recently used
    kept.Keep(c, Filled(16, 3));

    EXPECT_TRUE(kept.Find(a, 16, 16));
    EXPECT_FALSE(kept.Find(b, 16, 16));
    EXPECT_TRUE(kept.Find(c, 16, 16));

    kept.Keep(a, Filled(512, 4));
    EXPECT_FALSE(kept.Find(a, 512, 512));
}

}  // namespace
