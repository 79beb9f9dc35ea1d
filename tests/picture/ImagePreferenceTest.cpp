// Which image of a group draws an icon at a given size.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/picture/ImagePreference.h"
#include "platform/picture/Picture.h"
#include "tests/picture/PictureTestSupport.h"

namespace {

using picture_test::EntryOnly;
using platform::icons::IconGroup;
using platform::icons::IconImage;
using platform::picture::ImagesByPreference;
using platform::picture::Picture;

std::size_t BestOf(std::vector<IconImage> images, int width, int height) {
    const Picture picture(0, std::make_shared<const IconGroup>(IconGroup{std::move(images)}));
    return picture.BestImageFor(width, height);
}

TEST(BestImage, TakesTheSmallestImageAtLeastAsLarge) {
    EXPECT_EQ(BestOf({EntryOnly(48, 48, 32), EntryOnly(32, 32, 32), EntryOnly(16, 16, 32)}, 32, 32),
              1u);
    EXPECT_EQ(BestOf({EntryOnly(64, 64, 32), EntryOnly(48, 48, 32), EntryOnly(16, 16, 32)}, 32, 32),
              1u);
    EXPECT_EQ(BestOf({EntryOnly(16, 16, 32), EntryOnly(48, 48, 32), EntryOnly(32, 32, 4)}, 16, 16),
              0u);
}

TEST(BestImage, NeedsBothDimensionsLargeEnough) {
    // 64x16 is larger in area but too short for a 32x32 target.
    EXPECT_EQ(BestOf({EntryOnly(64, 16, 32), EntryOnly(48, 48, 32)}, 32, 32), 1u);
    EXPECT_EQ(BestOf({EntryOnly(48, 48, 32), EntryOnly(32, 16, 32)}, 32, 16), 1u);
}

TEST(BestImage, AmongEqualSizesTakesTheDeepestThenTheFirst) {
    EXPECT_EQ(BestOf({EntryOnly(32, 32, 4), EntryOnly(32, 32, 32), EntryOnly(32, 32, 8)}, 32, 32),
              1u);
    EXPECT_EQ(BestOf({EntryOnly(32, 32, 8), EntryOnly(32, 32, 8), EntryOnly(32, 32, 4)}, 32, 32),
              0u);
    EXPECT_EQ(BestOf({EntryOnly(32, 32, 4), EntryOnly(32, 32, 8), EntryOnly(32, 32, 8)}, 32, 32),
              1u);
}

TEST(BestImage, WithoutALargeEnoughImageTakesTheLargestThenTheDeepest) {
    EXPECT_EQ(BestOf({EntryOnly(16, 16, 32), EntryOnly(32, 32, 4), EntryOnly(32, 32, 8),
                      EntryOnly(24, 24, 32)},
                     48, 48),
              2u);
}

TEST(BestImage, ZeroWidthAndHeightMean256) {
    const std::vector<IconImage> images = {EntryOnly(0, 0, 32), EntryOnly(48, 48, 32)};

    EXPECT_EQ(BestOf(images, 64, 64), 0u);
    EXPECT_EQ(BestOf(images, 32, 32), 1u);
    EXPECT_EQ(BestOf(images, 256, 256), 0u);
    EXPECT_EQ(BestOf({EntryOnly(128, 128, 32), EntryOnly(0, 0, 32)}, 300, 300), 1u);
}

TEST(BestImage, PngWithoutBitCountCountsAs32Bits) {
    IconImage png = picture_test::ImageOf(fixtures::MakePngImage(32, 32, 1).bytes);
    png.entry.bitCount = 0;
    const IconImage palette = EntryOnly(32, 32, 8);

    EXPECT_EQ(BestOf({palette, png}, 32, 32), 1u);
    EXPECT_EQ(BestOf({png, EntryOnly(32, 32, 32)}, 32, 32), 0u);  // equal depth: the first
}

TEST(BestImage, DibWithoutBitCountCountsItsOwnDepth) {
    IconImage truecolour = picture_test::ImageOf(
        fixtures::MakeDibImage({.width = 32, .height = 32, .bitCount = 24}).bytes);
    truecolour.entry.bitCount = 0;

    EXPECT_EQ(BestOf({EntryOnly(32, 32, 8), truecolour}, 32, 32), 1u);
    EXPECT_EQ(BestOf({truecolour, EntryOnly(32, 32, 32)}, 32, 32), 1u);
}

TEST(ImagePreference, ListsEveryImageLargeEnoughOnesFirst) {
    const IconGroup group{{EntryOnly(16, 16, 8), EntryOnly(48, 48, 8), EntryOnly(32, 32, 4),
                           EntryOnly(32, 32, 32), EntryOnly(24, 24, 32), EntryOnly(0, 0, 32)}};

    EXPECT_EQ(ImagesByPreference(group, 32, 32), (std::vector<std::size_t>{3, 2, 1, 5, 4, 0}));
    EXPECT_EQ(ImagesByPreference(group, 300, 300), (std::vector<std::size_t>{5, 1, 3, 2, 4, 0}));
    EXPECT_TRUE(ImagesByPreference(IconGroup{}, 32, 32).empty());
}

}  // namespace
