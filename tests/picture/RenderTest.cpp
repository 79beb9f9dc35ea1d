// Pictures drawn from their images by our own decoders: every depth, PNG, the images Qt's ICO
// reader got wrong, fallback to another image, scaling.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <QImage>

#include "platform/picture/Picture.h"
#include "tests/picture/PictureTestSupport.h"
#include "tests/support/IconFixtures.h"

namespace {

using picture_test::GroupOf;
using picture_test::ShowsColour;
using platform::icons::IconGroup;
using platform::picture::Picture;

// The picture's pixels (Picture::Pixels) as a premultiplied QImage; a null image for no pixels.
QImage Render(const Picture& picture, int width, int height) {
    const toolkit::ArgbPixels pixels = picture.Pixels(width, height);
    if (pixels.pixels.empty()) {
        return {};
    }
    QImage image(pixels.width, pixels.height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < pixels.height; ++y) {
        std::memcpy(image.scanLine(y), pixels.pixels.data() + std::size_t(y) * pixels.width,
                    std::size_t(pixels.width) * 4);
    }
    return image;
}

Picture PictureOf(IconGroup group) {
    return Picture(0, std::make_shared<const IconGroup>(std::move(group)));
}

// Every pixel of the image drawn at its own size shows the fixture's colour.
void ExpectDrawnAsFixture(const IconGroup& group, const fixtures::FixtureImage& fixture) {
    const QImage drawn = Render(PictureOf(group), fixture.width, fixture.height);
    ASSERT_FALSE(drawn.isNull());
    ASSERT_EQ(drawn.size(), QSize(fixture.width, fixture.height));
    EXPECT_EQ(drawn.format(), QImage::Format_ARGB32_Premultiplied);
    int wrong = 0;
    for (int y = 0; y < fixture.height; ++y) {
        for (int x = 0; x < fixture.width; ++x) {
            if (!ShowsColour(drawn.pixel(x, y), fixture.Pixel(x, y)) && wrong++ < 5) {
                ADD_FAILURE() << "pixel " << x << "," << y << ": drawn " << std::hex
                              << drawn.pixel(x, y) << ", expected " << fixture.Pixel(x, y);
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

struct DibCase {
    int width;
    int height;
    int bitCount;
    bool zeroAlpha;
};

void PrintTo(const DibCase& c, std::ostream* out) {
    *out << c.width << "x" << c.height << " " << c.bitCount << " bpp"
         << (c.zeroAlpha ? " zero alpha" : "");
}

std::string CaseName(const testing::TestParamInfo<DibCase>& info) {
    return std::to_string(info.param.width) + "x" + std::to_string(info.param.height) + "_" +
           std::to_string(info.param.bitCount) + "bpp" + (info.param.zeroAlpha ? "_zeroAlpha" : "");
}

class DibDrawing : public testing::TestWithParam<DibCase> {};

TEST_P(DibDrawing, ShowsTheStoredColoursAndTheMask) {
    const DibCase& c = GetParam();
    const fixtures::FixtureImage fixture = fixtures::MakeDibImage({.width = c.width,
                                                                   .height = c.height,
                                                                   .bitCount = c.bitCount,
                                                                   .seed = 7,
                                                                   .zeroAlpha = c.zeroAlpha});

    ExpectDrawnAsFixture(GroupOf({fixture}), fixture);
}

INSTANTIATE_TEST_SUITE_P(Depths, DibDrawing,
                         testing::Values(DibCase{32, 32, 1, false}, DibCase{13, 7, 1, false},
                                         DibCase{32, 32, 4, false}, DibCase{13, 7, 4, false},
                                         DibCase{32, 32, 8, false}, DibCase{13, 7, 8, false},
                                         DibCase{32, 32, 24, false}, DibCase{13, 7, 24, false},
                                         DibCase{32, 32, 32, false}, DibCase{13, 7, 32, false},
                                         DibCase{32, 32, 32, true}, DibCase{13, 7, 32, true},
                                         DibCase{256, 256, 24, false}),
                         CaseName);

// Larger than the 256 pixels Qt's ICO reader accepts.
INSTANTIATE_TEST_SUITE_P(Large, DibDrawing,
                         testing::Values(DibCase{300, 270, 1, false}, DibCase{300, 260, 4, false},
                                         DibCase{194, 313, 8, false}, DibCase{300, 300, 32, false},
                                         DibCase{300, 300, 32, true}),
                         CaseName);

TEST(Drawing, PngShowsItsPixels) {
    const fixtures::FixtureImage png = fixtures::MakePngImage(48, 40, 11);

    ExpectDrawnAsFixture(GroupOf({png}), png);
}

TEST(Drawing, PngLargerThan256PixelsIsDrawnToo) {
    const fixtures::FixtureImage png = fixtures::MakePngImage(300, 280, 12);

    ExpectDrawnAsFixture(GroupOf({png}), png);
}

TEST(Drawing, LongerHeaderIsSkippedBeforeTheColourTable) {
    constexpr std::size_t kV5HeaderSize = 124;
    const fixtures::FixtureImage fixture =
        fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 8, .seed = 5});
    IconGroup group = GroupOf({fixture});
    std::vector<std::uint8_t> bytes = group.images[0].bytes.Vector();
    bytes.insert(bytes.begin() + 40, kV5HeaderSize - 40, 0);
    fixtures::Poke32(bytes, 0, kV5HeaderSize);
    group.images[0].bytes = std::move(bytes);

    ExpectDrawnAsFixture(group, fixture);
}

TEST(Drawing, SixteenBitsAreFiveBitsAChannel) {
    // 2x2, 16 bpp: red, green on the bottom row; blue, white on the top row (masked).
    fixtures::Bytes dib = {40, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 1, 0, 16, 0};
    dib.resize(40, 0);
    const fixtures::Bytes bits = {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0xFF, 0x7F};
    const fixtures::Bytes mask = {0x00, 0, 0, 0, 0x40, 0, 0, 0};
    dib.insert(dib.end(), bits.begin(), bits.end());
    dib.insert(dib.end(), mask.begin(), mask.end());

    const QImage drawn = Render(PictureOf(IconGroup{{picture_test::ImageOf(dib)}}), 2, 2);

    ASSERT_FALSE(drawn.isNull());
    EXPECT_EQ(drawn.pixel(0, 1), qRgb(255, 0, 0));
    EXPECT_EQ(drawn.pixel(1, 1), qRgb(0, 255, 0));
    EXPECT_EQ(drawn.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(drawn.pixel(1, 0)), 0);
}

TEST(Drawing, FallsBackToTheNextImageWhenTheBestDoesNotDecode) {
    const fixtures::FixtureImage fallback =
        fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 8, .seed = 3});
    platform::icons::IconImage broken = picture_test::ImageOf(fixtures::MakeOpaqueBytes(600, 1));
    broken.entry.width = 16;
    broken.entry.height = 16;
    broken.entry.bitCount = 32;
    IconGroup group = GroupOf({fallback});
    group.images.insert(group.images.begin(), broken);
    ASSERT_EQ(PictureOf(group).BestImageFor(16, 16), 0u);

    ExpectDrawnAsFixture(group, fallback);
}

TEST(Drawing, NothingDecodableGivesANullImage) {
    fixtures::Bytes truncated = fixtures::MakeDibImage({.width = 32, .height = 32}).bytes;
    truncated.resize(truncated.size() - 1);  // the last mask byte is missing
    fixtures::Bytes png = fixtures::MakePngImage(32, 32, 1).bytes;
    png.resize(40);

    const Picture picture =
        PictureOf(IconGroup{{picture_test::ImageOf(truncated), picture_test::ImageOf(png),
                             picture_test::ImageOf(fixtures::MakeOpaqueBytes(100, 2))}});

    EXPECT_TRUE(Render(picture, 32, 32).isNull());
    EXPECT_TRUE(Render(PictureOf(IconGroup{}), 32, 32).isNull());
}

// An 8-bpp fixture image whose AND mask is all ones or all zeros.
IconGroup UniformlyMasked(bool transparent) {
    IconGroup group = GroupOf({fixtures::MakeDibImage({.width = 32, .height = 32, .bitCount = 8})});
    std::vector<std::uint8_t> bytes = group.images[0].bytes.Vector();
    const std::size_t maskSize = 4 * 32;
    std::fill(bytes.end() - maskSize, bytes.end(), transparent ? 0xFF : 0x00);
    group.images[0].bytes = std::move(bytes);
    return group;
}

bool EveryAlphaIs(const QImage& image, int alpha) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != alpha) {
                return false;
            }
        }
    }
    return true;
}

TEST(Drawing, ScalesToTheRequestedSizeKeepingTheMask) {
    const QImage clear = Render(PictureOf(UniformlyMasked(true)), 48, 20);
    const QImage solid = Render(PictureOf(UniformlyMasked(false)), 16, 16);

    ASSERT_EQ(clear.size(), QSize(48, 20));
    ASSERT_EQ(solid.size(), QSize(16, 16));
    EXPECT_EQ(clear.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(solid.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_TRUE(EveryAlphaIs(clear, 0));
    EXPECT_TRUE(EveryAlphaIs(solid, 255));
    EXPECT_TRUE(Render(PictureOf(UniformlyMasked(false)), 0, 16).isNull());
}

}  // namespace
