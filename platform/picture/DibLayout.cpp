#include "platform/picture/DibLayout.h"

#include "platform/format/IconFormat.h"
#include "platform/format/LittleEndian.h"

namespace platform::picture {

namespace {

using format::kBitmapInfoHeaderSize;
constexpr std::uint32_t kUncompressed = 0;
constexpr int kMaxPaletteColors = 256;

using format::Little16;
using format::Little32;

bool IsKnownBitCount(int bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32;
}

std::size_t RowStride(int width, int bitCount) {
    return (std::size_t(width) * bitCount + 31) / 32 * 4;
}

// Entries of the colour table: biClrUsed, or all the colours of a depth up to 8 bits.
std::optional<int> PaletteColors(int bitCount, std::uint32_t colorsUsed) {
    if (colorsUsed > kMaxPaletteColors) {
        return std::nullopt;
    }
    if (colorsUsed == 0 && bitCount <= 8) {
        return 1 << bitCount;
    }
    return static_cast<int>(colorsUsed);
}

}  // namespace

std::optional<DibLayout> ReadDibLayout(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kBitmapInfoHeaderSize) {
        return std::nullopt;
    }
    const std::uint32_t headerSize = Little32(bytes, 0);
    const auto width = static_cast<std::int32_t>(Little32(bytes, 4));
    const auto dibHeight = static_cast<std::int32_t>(Little32(bytes, 8));
    const int bitCount = Little16(bytes, 14);
    const std::optional<int> paletteColors = PaletteColors(bitCount, Little32(bytes, 32));
    if (headerSize < kBitmapInfoHeaderSize || headerSize > bytes.size() || width < 1 ||
        width > kMaxIconSide || dibHeight < 2 || dibHeight / 2 > kMaxIconSide ||
        !IsKnownBitCount(bitCount) || Little32(bytes, 16) != kUncompressed || !paletteColors) {
        return std::nullopt;
    }
    DibLayout layout{.headerSize = headerSize,
                     .width = width,
                     .height = dibHeight / 2,
                     .bitCount = bitCount,
                     .paletteColors = *paletteColors};
    layout.colourOffset = headerSize + std::size_t(layout.paletteColors) * 4;
    layout.colourStride = RowStride(width, bitCount);
    layout.maskOffset = layout.colourOffset + layout.colourStride * layout.height;
    layout.maskStride = RowStride(width, 1);
    if (layout.maskOffset + layout.maskStride * layout.height > bytes.size()) {
        return std::nullopt;
    }
    return layout;
}

bool HasAlphaChannel(const DibLayout& layout, std::span<const std::uint8_t> bytes) {
    if (layout.bitCount != 32) {
        return false;
    }
    for (int y = 0; y < layout.height; ++y) {
        const std::uint8_t* row = bytes.data() + layout.colourOffset + layout.colourStride * y;
        for (int x = 0; x < layout.width; ++x) {
            if (row[x * 4 + 3] != 0) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace platform::picture
