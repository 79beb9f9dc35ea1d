// Our PNG decoder against Qt's own (libpng through QImage) on every colour type, bit depth and
// interlace: the same premultiplied pixels, within one step for 16-bit rounding.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/picture/PngDecoder.h"
#include "tests/picture/PngBuilder.h"

namespace {

using picture_test::PngShape;

fixtures::Bytes PaletteChunks(int depth) {
    fixtures::Bytes palette;
    for (int i = 0; i < (1 << depth); ++i) {
        palette.insert(palette.end(),
                       {std::uint8_t(i * 37), std::uint8_t(255 - i), std::uint8_t(i * 11)});
    }
    const fixtures::Bytes plte = picture_test::PngChunk("PLTE", palette);
    fixtures::Bytes alphas = {0, 128, 255, 7};
    alphas.resize(std::min<std::size_t>(alphas.size(), std::size_t(1) << depth));
    const fixtures::Bytes trns = picture_test::PngChunk("tRNS", alphas);
    fixtures::Bytes both = plte;
    both.insert(both.end(), trns.begin(), trns.end());
    return both;
}

// A tRNS colour key the seeded samples hit now and then (gray and 8-bit RGB images).
fixtures::Bytes KeyChunk(const PngShape& shape) {
    if (shape.colourType == 0) {
        return picture_test::PngChunk("tRNS", {0, 1});
    }
    // Qt 6.4 gives 16-bit RGB images with a colour key an alpha of its own making (not 0 or
    // 255): that one is left out of the comparison.
    if (shape.colourType == 2 && shape.depth == 8) {
        return picture_test::PngChunk("tRNS", {0, 1, 0, 2, 0, 3});
    }
    return {};
}

std::string NameOf(const testing::TestParamInfo<PngShape>& info) {
    return "type" + std::to_string(info.param.colourType) + "_depth" +
           std::to_string(info.param.depth) + (info.param.interlaced ? "_adam7" : "");
}

class PngAgainstQt : public testing::TestWithParam<PngShape> {};

TEST_P(PngAgainstQt, DecodesAsQtDoes) {
    PngShape shape = GetParam();
    shape.width = 19;
    shape.height = 13;
    shape.seed = 9;
    const fixtures::Bytes extra =
        shape.colourType == 3 ? PaletteChunks(shape.depth) : KeyChunk(shape);
    const fixtures::Bytes png = picture_test::BuildPng(shape, extra);
    platform::picture::DrawBudget budget(std::chrono::hours(1));

    const auto ours = platform::picture::DecodePng(png, budget);
    const QImage qt = QImage::fromData(QByteArray(reinterpret_cast<const char*>(png.data()),
                                                  static_cast<qsizetype>(png.size())),
                                       "PNG")
                          .convertToFormat(QImage::Format_ARGB32_Premultiplied);

    ASSERT_FALSE(qt.isNull());
    ASSERT_TRUE(ours);
    ASSERT_EQ(ours->width, qt.width());
    ASSERT_EQ(ours->height, qt.height());
    int wrong = 0;
    for (int y = 0; y < qt.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(qt.constScanLine(y));
        for (int x = 0; x < qt.width(); ++x) {
            const std::uint32_t mine = ours->pixels[std::size_t(y) * ours->width + x];
            for (int shift = 0; shift < 32; shift += 8) {
                const int a = (mine >> shift) & 0xFF;
                const int b = (row[x] >> shift) & 0xFF;
                if (std::abs(a - b) > 1 && wrong++ < 5) {
                    ADD_FAILURE() << x << "," << y << ": ours " << std::hex << mine << ", Qt's "
                                  << row[x];
                }
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

std::vector<PngShape> EveryShape() {
    const std::vector<std::pair<int, std::vector<int>>> depths = {
        {0, {1, 2, 4, 8, 16}}, {2, {8, 16}}, {3, {1, 2, 4, 8}}, {4, {8, 16}}, {6, {8, 16}}};
    std::vector<PngShape> shapes;
    for (const auto& [type, allowed] : depths) {
        for (int depth : allowed) {
            for (bool interlaced : {false, true}) {
                shapes.push_back({.depth = depth, .colourType = type, .interlaced = interlaced});
            }
        }
    }
    return shapes;
}

INSTANTIATE_TEST_SUITE_P(EveryKind, PngAgainstQt, testing::ValuesIn(EveryShape()), NameOf);

}  // namespace
