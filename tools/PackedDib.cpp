#include "tools/PackedDib.h"

#include <algorithm>

#include "platform/format/IconFormat.h"
#include "platform/format/LittleEndian.h"

namespace tool {

namespace {

using platform::format::AppendLittle16;
using platform::format::AppendLittle32;

constexpr std::uint16_t kBitCount = 32;

std::size_t MaskStride(int width) {
    return (std::size_t(width) + 31) / 32 * 4;
}

void AppendHeader(std::vector<std::uint8_t>& out, int width, int height, std::size_t imageBytes) {
    AppendLittle32(out, platform::format::kBitmapInfoHeaderSize);
    AppendLittle32(out, static_cast<std::uint32_t>(width));
    AppendLittle32(out, static_cast<std::uint32_t>(height) * 2);  // the colour rows and the mask
    AppendLittle16(out, 1);                                       // planes
    AppendLittle16(out, kBitCount);
    AppendLittle32(out, 0);  // uncompressed
    AppendLittle32(out, static_cast<std::uint32_t>(imageBytes));
    for (int field = 0; field < 4; ++field) {
        AppendLittle32(out, 0);  // no resolution, no colour table
    }
}

// The colour of a premultiplied channel at that alpha, rounded to the nearest, so that
// premultiplying it again gives the channel back.
std::uint8_t Unpremultiplied(std::uint32_t channel, std::uint32_t alpha) {
    if (alpha == 0) {
        return 0;
    }
    return static_cast<std::uint8_t>(std::min(255u, (channel * 255 + alpha / 2) / alpha));
}

void AppendColourRow(std::vector<std::uint8_t>& out, const std::uint32_t* row, int width) {
    for (int x = 0; x < width; ++x) {
        const std::uint32_t alpha = row[x] >> 24;
        for (const int shift : {0, 8, 16}) {  // blue, green, red
            out.push_back(Unpremultiplied((row[x] >> shift) & 0xFF, alpha));
        }
        out.push_back(static_cast<std::uint8_t>(alpha));
    }
}

void AppendMaskRow(std::vector<std::uint8_t>& out, const std::uint32_t* row, int width) {
    std::vector<std::uint8_t> bits(MaskStride(width), 0);
    for (int x = 0; x < width; ++x) {
        if ((row[x] >> 24) == 0) {
            bits[std::size_t(x) / 8] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
        }
    }
    out.insert(out.end(), bits.begin(), bits.end());
}

}  // namespace

std::vector<std::uint8_t> DibIconImage(const toolkit::ArgbPixels& drawn) {
    const int width = drawn.width;
    const int height = drawn.height;
    if (width <= 0 || height <= 0 || drawn.pixels.size() != std::size_t(width) * height) {
        return {};
    }
    const std::size_t colourBytes = std::size_t(width) * 4 * height;
    const std::size_t maskBytes = MaskStride(width) * height;
    std::vector<std::uint8_t> out;
    out.reserve(platform::format::kBitmapInfoHeaderSize + colourBytes + maskBytes);
    AppendHeader(out, width, height, colourBytes + maskBytes);
    const auto rowAt = [&](int y) { return drawn.pixels.data() + std::size_t(y) * width; };
    for (int y = height - 1; y >= 0; --y) {
        AppendColourRow(out, rowAt(y), width);
    }
    for (int y = height - 1; y >= 0; --y) {
        AppendMaskRow(out, rowAt(y), width);
    }
    return out;
}

}  // namespace tool
