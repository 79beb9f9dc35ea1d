// The fixture writer checked against an independent reader: Qt's own .ico and PNG decoders must
// see exactly the pixels the fixtures promise.
#include <gtest/gtest.h>

#include <cstdlib>

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include "tests/support/IconFixtures.h"

namespace {

using fixtures::FixtureImage;

std::vector<QImage> DecodeIco(const fixtures::Bytes& bytes, const char* format = "ico") {
    QByteArray data(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    std::vector<QImage> images;
    for (int i = 0; i < reader.imageCount(); ++i) {
        reader.jumpToImage(i);
        images.push_back(reader.read().convertToFormat(QImage::Format_ARGB32));
    }
    return images;
}

// Qt decodes through premultiplied pixels: a half-transparent channel may come back off by up to
// 255 / alpha.
bool SameColour(std::uint32_t want, std::uint32_t got) {
    const std::uint32_t alpha = want >> 24;
    if (alpha == 0) {
        return (got >> 24) == 0;  // the colour of a transparent pixel does not matter
    }
    if ((got >> 24) != alpha) {
        return false;
    }
    const int tolerance = alpha == 255 ? 0 : int((255 + alpha - 1) / alpha);
    for (int shift : {0, 8, 16}) {
        const int difference = int((want >> shift) & 0xFF) - int((got >> shift) & 0xFF);
        if (std::abs(difference) > tolerance) {
            return false;
        }
    }
    return true;
}

// Qt's .ico reader ignores the AND mask of 24-bpp images (Windows applies it): there a masked
// pixel shows its stored colour, which the fixture makes black.
std::uint32_t AsQtShowsIt(const FixtureImage& image, int x, int y) {
    const std::uint32_t want = image.Pixel(x, y);
    return image.bitCount == 24 && !image.isPng && want == 0 ? 0xFF000000u : want;
}

void ExpectSamePixels(const FixtureImage& expected, const QImage& decoded) {
    ASSERT_EQ(decoded.width(), expected.width);
    ASSERT_EQ(decoded.height(), expected.height);
    int differences = 0;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const std::uint32_t want = AsQtShowsIt(expected, x, y);
            const std::uint32_t got = decoded.pixel(x, y);
            if (!SameColour(want, got) && ++differences < 4) {
                ADD_FAILURE() << std::hex << "pixel " << x << "," << y << " want " << want
                              << " got " << got;
            }
        }
    }
    EXPECT_EQ(differences, 0) << expected.bitCount << " bpp " << expected.width << "x"
                              << expected.height;
}

TEST(IconFixtureImages, DibsOfEveryDepthDecodeToTheirPixels) {
    for (int bitCount : {1, 4, 8, 24, 32}) {
        for (int size : {16, 31, 48}) {
            const FixtureImage image = fixtures::MakeDibImage(
                {.width = size, .height = size, .bitCount = bitCount, .seed = 7u + size});
            const std::vector<QImage> decoded = DecodeIco(fixtures::BuildIco({image.bytes}));
            ASSERT_EQ(decoded.size(), 1u);
            ExpectSamePixels(image, decoded[0]);
        }
    }
}

TEST(IconFixtureImages, PngDecodesToItsPixels) {
    const FixtureImage image = fixtures::MakePngImage(256, 256, 3);
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(image.bytes.data(), int(image.bytes.size()), "PNG"));
    ExpectSamePixels(image, decoded.convertToFormat(QImage::Format_ARGB32));
}

TEST(IconFixtureImages, ImagesHaveMixedTransparencyAndDifferBySeed) {
    const FixtureImage a = fixtures::MakeDibImage({.bitCount = 32, .seed = 1});
    const FixtureImage b = fixtures::MakeDibImage({.bitCount = 32, .seed = 2});
    EXPECT_NE(a.bytes, b.bytes);
    EXPECT_EQ(a.bytes, fixtures::MakeDibImage({.bitCount = 32, .seed = 1}).bytes);
    int transparent = 0;
    int opaque = 0;
    int partial = 0;
    for (std::uint32_t pixel : a.argb) {
        const std::uint32_t alpha = pixel >> 24;
        (alpha == 0 ? transparent : alpha == 255 ? opaque : partial)++;
    }
    EXPECT_GT(transparent, 0);
    EXPECT_GT(opaque, 0);
    EXPECT_GT(partial, 0);
}

TEST(IconFixtureImages, ZeroAlphaImageStoresNoAlphaAndMasksPixels) {
    const FixtureImage image =
        fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 32, .zeroAlpha = true});
    const std::size_t bits = 40;
    for (std::size_t pixel = 0; pixel < 16 * 16; ++pixel) {
        ASSERT_EQ(image.bytes[bits + pixel * 4 + 3], 0);
    }
    int masked = 0;
    for (std::size_t i = 0; i < image.mask.size(); ++i) {
        masked += image.mask[i] ? 1 : 0;
        EXPECT_EQ(image.argb[i] >> 24, image.mask[i] ? 0u : 255u);
    }
    EXPECT_GT(masked, 0);
}

TEST(IconFixtureEntries, EntriesDescribeTheImages) {
    const auto dib = fixtures::EntryFor(fixtures::MakeDibImage({.bitCount = 4}).bytes, 9);
    EXPECT_EQ(dib.width, 32);
    EXPECT_EQ(dib.height, 32);
    EXPECT_EQ(dib.colorCount, 16);
    EXPECT_EQ(dib.bitCount, 4);
    EXPECT_EQ(dib.iconId, 9);
    const auto png = fixtures::EntryFor(fixtures::MakePngImage(256, 256, 1).bytes, 2);
    EXPECT_EQ(png.width, 0);
    EXPECT_EQ(png.height, 0);
    EXPECT_EQ(png.bitCount, 32);
}

TEST(IconFixtureIco, QtReadsEveryImageOfAMixedIco) {
    const std::vector<FixtureImage> images = {
        fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 8, .seed = 1}),
        fixtures::MakeDibImage({.width = 32, .height = 32, .bitCount = 32, .seed = 2}),
        fixtures::MakePngImage(64, 64, 3)};
    const std::vector<QImage> decoded =
        DecodeIco(fixtures::BuildIco({images[0].bytes, images[1].bytes, images[2].bytes}));
    ASSERT_EQ(decoded.size(), images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        ExpectSamePixels(images[i], decoded[i]);
    }
}

TEST(IconFixtureCursors, QtReadsEveryImageOfACurAndTheGroupEntryIsRcs) {
    const std::vector<FixtureImage> images = {
        fixtures::MakeDibImage({.width = 32, .height = 32, .bitCount = 1, .seed = 1}),
        fixtures::MakeDibImage({.width = 48, .height = 48, .bitCount = 32, .seed = 2})};
    const fixtures::CursorImage arrow{images[0].bytes, 7, 18};
    const std::vector<QImage> decoded =
        DecodeIco(fixtures::BuildCur({arrow, {images[1].bytes, 1, 2}}), "cur");
    ASSERT_EQ(decoded.size(), images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        ExpectSamePixels(images[i], decoded[i]);
    }
    const fixtures::CursorGroupEntry entry = fixtures::CursorEntryFor(arrow, 4);
    EXPECT_EQ(entry.width, 32);
    EXPECT_EQ(entry.height, 64);
    EXPECT_EQ(entry.bytesInRes, 4 + images[0].bytes.size()) << "the hotspot counted";
    EXPECT_EQ(fixtures::CursorResourceBytes(arrow).size(), entry.bytesInRes);
}

}  // namespace
