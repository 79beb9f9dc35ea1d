// Our own decoders on both builds: what the PNG decoder inflates and refuses, the draw's budgets,
// failures remembered, the CRC rule, BI_BITFIELDS, scaling and the PNG writer.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include <zlib.h>

#include "platform/picture/DibDecoder.h"
#include "platform/picture/DibLayout.h"
#include "platform/picture/IconImageDecoding.h"
#include "platform/picture/Picture.h"
#include "platform/picture/PictureDrawing.h"
#include "platform/picture/PixelScaling.h"
#include "platform/picture/PngDecoder.h"
#include "platform/picture/PngEncoder.h"
#include "tests/picture/PictureTestSupport.h"
#include "tests/picture/PngBuilder.h"

namespace {

using fixtures::Bytes;
using picture_test::BuildPng;
using picture_test::PngChunk;
using picture_test::PngShape;
using platform::icons::IconGroup;
using platform::picture::DecodePng;
using platform::picture::DrawBudget;
using platform::picture::PngDecodeTrace;

constexpr std::chrono::hours kAmple{1};

// A zTXt chunk whose text inflates to `inflated` zero bytes.
Bytes ZtxtBomb(std::size_t inflated) {
    const Bytes text(inflated, 0);
    uLongf size = compressBound(static_cast<uLong>(text.size()));
    Bytes data = {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 0};
    const std::size_t header = data.size();
    data.resize(header + size);
    compress2(data.data() + header, &size, text.data(), static_cast<uLong>(text.size()), 9);
    data.resize(header + size);
    return PngChunk("zTXt", data);
}

TEST(PngDecoder, InflatesOnlyTheImageDataAndNeverTheTextChunks) {
    Bytes bombs;
    for (int i = 0; i < 20; ++i) {
        const Bytes bomb = ZtxtBomb(8 << 20);
        bombs.insert(bombs.end(), bomb.begin(), bomb.end());
    }
    const Bytes text = PngChunk("tEXt", {'a', 0, 'b'});
    bombs.insert(bombs.end(), text.begin(), text.end());
    const PngShape shape{.width = 16, .height = 16};
    DrawBudget budget(kAmple);
    PngDecodeTrace trace;

    const auto decoded = DecodePng(BuildPng(shape, bombs), budget, &trace);

    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 16);
    ASSERT_EQ(trace.inflatedChunks.size(), 1u);
    EXPECT_EQ(std::string(trace.inflatedChunks[0].data(), 4), "IDAT");
    EXPECT_EQ(trace.inflatedBytes, picture_test::PngRawSize(shape));
}

TEST(PngDecoder, RefusesBeforeInflatingAndCapsWhatIsInflated) {
    DrawBudget budget(kAmple);
    PngDecodeTrace oversized;
    PngDecodeTrace overflowing;
    const PngShape shape{.width = 32, .height = 32, .colourType = 2};
    const std::size_t raw = picture_test::PngRawSize(shape);

    EXPECT_FALSE(DecodePng(BuildPng({.width = 1025, .height = 1}), budget, &oversized));
    EXPECT_FALSE(DecodePng(BuildPng(shape, {}, 1 << 20), budget, &overflowing));
    EXPECT_TRUE(DecodePng(BuildPng(shape, {}, 100), budget));  // a little extra is drawn

    EXPECT_TRUE(oversized.inflatedChunks.empty());
    EXPECT_LE(overflowing.inflatedBytes, raw + platform::picture::kInflateSlack);
    EXPECT_GE(overflowing.inflatedBytes, raw);
}

TEST(PngDecoder, DrawsDespiteBadCrcsAndRefusesBrokenStructure) {
    const Bytes good = BuildPng({.width = 9, .height = 5, .seed = 4});
    Bytes badCrc = good;
    badCrc[8 + 8 + 13] ^= 0xFF;         // IHDR's CRC
    badCrc[badCrc.size() - 1] ^= 0xFF;  // IEND's
    Bytes unknownCritical = good;
    const Bytes chunk = PngChunk("ABCD", {1});
    unknownCritical.insert(unknownCritical.begin() + 33, chunk.begin(), chunk.end());
    Bytes truncated = good;
    truncated.resize(good.size() - 20);
    DrawBudget budget(kAmple);

    const auto drawn = DecodePng(badCrc, budget);

    ASSERT_TRUE(drawn);
    EXPECT_EQ(drawn->pixels, DecodePng(good, budget)->pixels);
    EXPECT_FALSE(DecodePng(unknownCritical, budget));
    EXPECT_FALSE(DecodePng(truncated, budget));
    EXPECT_FALSE(DecodePng(BuildPng({.depth = 4, .colourType = 3}), budget));  // no PLTE
}

// A clock that moves one millisecond each time it is read.
platform::picture::DrawClock TickingClock() {
    auto now = std::make_shared<std::chrono::steady_clock::time_point>();
    return [now] { return *now += std::chrono::milliseconds(1); };
}

TEST(DrawBudget, TheDeadlineStopsTheDecodeAndTheNextCandidates) {
    const Bytes png = BuildPng({.width = 200, .height = 200});
    DrawBudget tight(TickingClock(), std::chrono::milliseconds(20));
    DrawBudget loose(TickingClock(), std::chrono::milliseconds(100000));
    const std::size_t before = platform::picture::DecodesStarted();

    EXPECT_FALSE(DecodePng(png, tight));  // 200 rows, a tick each
    EXPECT_TRUE(DecodePng(png, loose));
    const IconGroup group = picture_test::GroupOf({fixtures::MakeDibImage({})});
    EXPECT_TRUE(platform::picture::DrawGroup(group, 32, 32, tight).pixels.empty());
    EXPECT_EQ(platform::picture::DecodesStarted(), before);  // nothing tried once it is past
}

// A 1024 x 1024 RGBA PNG whose data, all zeros, stop one row short: 4 MiB inflated, then refused.
fixtures::FixtureImage RowShortPng() {
    const PngShape shape{.width = 1024, .height = 1024};
    const Bytes raw(picture_test::PngRawSize(shape) - (1 + 1024 * 4), 0);
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes data(size);
    compress2(data.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
    data.resize(size);
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const Bytes header = PngChunk("IHDR", {0, 0, 4, 0, 0, 0, 4, 0, 8, 6, 0, 0, 0});
    png.insert(png.end(), header.begin(), header.end());
    for (const Bytes& chunk : {PngChunk("IDAT", data), PngChunk("IEND", {})}) {
        png.insert(png.end(), chunk.begin(), chunk.end());
    }
    fixtures::FixtureImage image;
    image.bytes = png;
    image.width = image.height = 1024;
    image.bitCount = 32;
    image.isPng = true;
    return image;
}

TEST(DrawBudget, TheWorkLimitStopsAtTheSameCandidateHoweverFastTheMachine) {
    const auto frozen = [] { return std::chrono::steady_clock::time_point{}; };
    std::vector<fixtures::FixtureImage> within(6, RowShortPng());
    std::vector<fixtures::FixtureImage> beyond(7, RowShortPng());
    within.push_back(fixtures::MakeDibImage({.width = 16, .height = 16}));
    beyond.push_back(fixtures::MakeDibImage({.width = 16, .height = 16}));
    DrawBudget first(frozen, kAmple);
    DrawBudget second(frozen, kAmple);

    // 6 x 4 MiB less a row leave room for the image after them; the 7th runs past the limit.
    EXPECT_FALSE(
        platform::picture::DrawGroup(picture_test::GroupOf(within), 32, 32, first).pixels.empty());
    const std::size_t before = platform::picture::DecodesStarted();
    EXPECT_TRUE(
        platform::picture::DrawGroup(picture_test::GroupOf(beyond), 32, 32, second).pixels.empty());
    EXPECT_EQ(platform::picture::DecodesStarted() - before, 7u);
}

TEST(FailedImages, AnImageThatFailedIsNotDecodedAgain) {
    platform::icons::IconImage broken =
        picture_test::ImageOf(BuildPng({.width = 64, .height = 64}));
    Bytes bytes = broken.bytes.Vector();
    bytes.resize(bytes.size() - 30);  // its image data cut short
    broken.bytes = std::move(bytes);
    broken.entry.width = broken.entry.height = 64;
    IconGroup group = picture_test::GroupOf({fixtures::MakeDibImage({.width = 16, .height = 16})});
    group.images.insert(group.images.begin(), 3, broken);  // three entries, one buffer
    const platform::picture::Picture picture(0, std::make_shared<const IconGroup>(group));

    const std::size_t before = platform::picture::DecodesStarted();
    EXPECT_FALSE(picture.Pixels(64, 64).pixels.empty());
    const std::size_t first = platform::picture::DecodesStarted() - before;
    EXPECT_FALSE(picture.Pixels(48, 48).pixels.empty());
    const std::size_t second = platform::picture::DecodesStarted() - before - first;

    EXPECT_EQ(first, 2u);   // the broken image once, then the DIB
    EXPECT_EQ(second, 1u);  // the DIB alone
}

// A 40-byte-header DIB of width x 1 pixels at the depth, BI_BITFIELDS with masks (or BI_RGB when
// `masks` is empty), the pixel values given, the AND mask all clear but for the last pixel.
Bytes BitfieldsDib(int bitCount, const std::vector<std::uint32_t>& masks,
                   const std::vector<std::uint32_t>& values) {
    Bytes dib(40, 0);
    const int width = static_cast<int>(values.size());
    fixtures::Poke32(dib, 0, 40);
    fixtures::Poke32(dib, 4, width);
    fixtures::Poke32(dib, 8, 2);
    fixtures::Poke16(dib, 12, 1);
    fixtures::Poke16(dib, 14, static_cast<std::uint16_t>(bitCount));
    fixtures::Poke32(dib, 16, masks.empty() ? 0 : 3);
    for (std::uint32_t mask : masks) {
        dib.insert(dib.end(), {std::uint8_t(mask), std::uint8_t(mask >> 8),
                               std::uint8_t(mask >> 16), std::uint8_t(mask >> 24)});
    }
    Bytes row;
    for (std::uint32_t value : values) {
        for (int b = 0; b < bitCount / 8; ++b) {
            row.push_back(static_cast<std::uint8_t>(value >> (8 * b)));
        }
    }
    row.resize((row.size() + 3) / 4 * 4, 0);
    dib.insert(dib.end(), row.begin(), row.end());
    const std::uint8_t lastMasked = static_cast<std::uint8_t>(0x80 >> (width - 1));
    dib.insert(dib.end(), {lastMasked, 0, 0, 0});
    return dib;
}

std::vector<std::uint32_t> Decoded(const Bytes& dib) {
    const auto layout = platform::picture::ReadDibLayout(dib);
    if (!layout) {
        return {};
    }
    DrawBudget budget(kAmple);
    const auto pixels = platform::picture::DecodeDib(*layout, dib, budget);
    return pixels ? pixels->pixels : std::vector<std::uint32_t>();
}

TEST(DibBitfields, SixteenAndThirtyTwoBitsThroughTheirMasks) {
    // 5-6-5: red, green, blue, white (masked); 5-5-5 as BI_RGB and as BI_BITFIELDS.
    EXPECT_EQ(Decoded(BitfieldsDib(16, {0xF800, 0x07E0, 0x001F}, {0xF800, 0x07E0, 0x001F, 0xFFFF})),
              (std::vector<std::uint32_t>{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0}));
    const std::vector<std::uint32_t> fiveFiveFive = {0x7C00, 0x0200, 0x0010, 0x7FFF};
    const std::vector<std::uint32_t> expected = {0xFFFF0000, 0xFF008400, 0xFF000084, 0};
    EXPECT_EQ(Decoded(BitfieldsDib(16, {}, fiveFiveFive)), expected);
    EXPECT_EQ(Decoded(BitfieldsDib(16, {0x7C00, 0x03E0, 0x001F}, fiveFiveFive)), expected);
    // 32 bpp, colours in the low three bytes the other way round, alpha in the bits left over.
    EXPECT_EQ(Decoded(BitfieldsDib(32, {0x000000FF, 0x0000FF00, 0x00FF0000},
                                   {0xFF0000FF, 0x80008000, 0x00FFFFFF})),
              (std::vector<std::uint32_t>{0xFFFF0000, 0x80004000, 0}));
    // All alpha zero: the AND mask says what shows, and it is opaque.
    EXPECT_EQ(Decoded(BitfieldsDib(32, {0x00FF0000, 0x0000FF00, 0x000000FF}, {0x00123456, 0x0})),
              (std::vector<std::uint32_t>{0xFF123456, 0}));
    // 24 bpp takes no masks.
    EXPECT_TRUE(Decoded(BitfieldsDib(24, {0xFF0000, 0xFF00, 0xFF}, {1, 2})).empty());
}

TEST(DibBitfields, LongerHeadersHoldTheMasksInside) {
    Bytes dib = BitfieldsDib(16, {0xF800, 0x07E0, 0x001F}, {0xF800, 0x07E0});
    constexpr std::size_t kV5HeaderSize = 124;
    dib.insert(dib.begin() + 52, kV5HeaderSize - 52, 0);
    fixtures::Poke32(dib, 0, kV5HeaderSize);

    EXPECT_EQ(Decoded(dib), (std::vector<std::uint32_t>{0xFFFF0000, 0}));
}

TEST(PixelScaling, AveragesWhenShrinkingAndInterpolatesWhenEnlarging) {
    const toolkit::ArgbPixels blackWhite{
        .width = 2, .height = 1, .pixels = {0xFF000000, 0xFFFFFFFF}};

    const toolkit::ArgbPixels shrunk = platform::picture::Scaled(blackWhite, 1, 1);
    const toolkit::ArgbPixels grown = platform::picture::Scaled(blackWhite, 4, 1);

    EXPECT_EQ(shrunk.pixels, (std::vector<std::uint32_t>{0xFF808080}));
    EXPECT_EQ(grown.pixels,
              (std::vector<std::uint32_t>{0xFF000000, 0xFF404040, 0xFFBFBFBF, 0xFFFFFFFF}));
}

TEST(PngEncoder, WritesWhatTheDecoderReadsBack) {
    const toolkit::ArgbPixels pixels{
        .width = 3,
        .height = 2,
        .pixels = {0xFF102030, 0x80402010, 0x00000000, 0xFFFFFFFF, 0x40202020, 0xC0300000}};

    const auto png = platform::picture::PngOfPixels(pixels);

    ASSERT_TRUE(png);
    DrawBudget budget(kAmple);
    const auto back = DecodePng(*png, budget);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->pixels.size(), pixels.pixels.size());
    for (std::size_t i = 0; i < pixels.pixels.size(); ++i) {
        for (int shift = 0; shift < 32; shift += 8) {
            const int wrote = (pixels.pixels[i] >> shift) & 0xFF;
            const int read = (back->pixels[i] >> shift) & 0xFF;
            EXPECT_LE(std::abs(wrote - read), 1) << "pixel " << i << " shift " << shift;
        }
    }
    EXPECT_FALSE(platform::picture::PngOfPixels({}));
}

}  // namespace
