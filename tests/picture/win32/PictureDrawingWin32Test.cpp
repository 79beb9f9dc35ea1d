// Pictures drawn by GDI on Windows: every depth with its mask, alpha, an all-zero alpha, PNG, and
// stretching.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "platform/picture/Picture.h"
#include "tests/picture/PictureTestSupport.h"
#include "tests/support/IconFixtures.h"

namespace {

using platform::icons::IconGroup;
using platform::picture::Picture;

toolkit::ArgbPixels Drawn(const fixtures::FixtureImage& fixture, int width, int height) {
    const Picture picture(0, std::make_shared<const IconGroup>(picture_test::GroupOf({fixture})));
    return picture.Pixels(width, height);
}

// Every pixel of the image drawn at its own size shows the fixture's colour.
void ExpectDrawnAsFixture(const fixtures::FixtureImage& fixture) {
    const toolkit::ArgbPixels drawn = Drawn(fixture, fixture.width, fixture.height);
    ASSERT_EQ(drawn.width, fixture.width);
    ASSERT_EQ(drawn.height, fixture.height);
    ASSERT_EQ(drawn.pixels.size(), fixture.argb.size());
    int wrong = 0;
    for (std::size_t i = 0; i < drawn.pixels.size(); ++i) {
        if (!picture_test::ShowsColour(drawn.pixels[i], fixture.argb[i]) && wrong++ < 5) {
            ADD_FAILURE() << "pixel " << i << ": drawn " << std::hex << drawn.pixels[i]
                          << ", expected " << fixture.argb[i];
        }
    }
    EXPECT_EQ(wrong, 0);
}

struct DibCase {
    int side;
    int bitCount;
    bool zeroAlpha;
};

void PrintTo(const DibCase& c, std::ostream* out) {
    *out << c.side << " px " << c.bitCount << " bpp" << (c.zeroAlpha ? " zero alpha" : "");
}

class DibDrawingWin32 : public testing::TestWithParam<DibCase> {};

TEST_P(DibDrawingWin32, ShowsTheStoredColoursAndTheMask) {
    const DibCase& c = GetParam();
    ExpectDrawnAsFixture(fixtures::MakeDibImage({.width = c.side,
                                                 .height = c.side,
                                                 .bitCount = c.bitCount,
                                                 .seed = 7,
                                                 .zeroAlpha = c.zeroAlpha}));
}

INSTANTIATE_TEST_SUITE_P(Depths, DibDrawingWin32,
                         testing::Values(DibCase{32, 1, false}, DibCase{32, 4, false},
                                         DibCase{32, 8, false}, DibCase{16, 24, false},
                                         DibCase{48, 32, false}, DibCase{32, 32, true}));

TEST(DrawingWin32, Png256ShowsItsPixels) {
    ExpectDrawnAsFixture(fixtures::MakePngImage(256, 256, 11));
}

TEST(DrawingWin32, StretchesToTheBox) {
    const fixtures::FixtureImage fixture =
        fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 24, .seed = 3});
    const toolkit::ArgbPixels drawn = Drawn(fixture, 32, 48);

    ASSERT_EQ(drawn.pixels.size(), 32u * 48u);
    // Each source pixel covers whole target pixels: the top left one shows it unmixed.
    EXPECT_TRUE(picture_test::ShowsColour(drawn.pixels[0], fixture.Pixel(0, 0)));
}

TEST(DrawingWin32, BytesThatAreNoImageDrawNothing) {
    const IconGroup group{{picture_test::ImageOf(fixtures::Bytes(64, 0x5A))}};
    const Picture picture(0, std::make_shared<const IconGroup>(group));

    EXPECT_TRUE(picture.Pixels(32, 32).pixels.empty());
}

}  // namespace
