#include "platform/picture/DibLayout.h"

#include "platform/format/IconFormat.h"
#include "platform/format/LittleEndian.h"

namespace platform::picture {

namespace {

using format::kBitmapInfoHeaderSize;
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kBitFields = 3;
constexpr std::size_t kMasksSize = 12;            // red, green and blue DWORDs
constexpr std::uint32_t kMasksInHeaderSize = 52;  // BITMAPV2INFOHEADER and later hold the masks
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

ChannelMasks WithAlphaOutside(std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                              int bitCount) {
    const std::uint32_t alpha = bitCount == 32 ? ~(red | green | blue) : 0;
    return {.red = red, .green = green, .blue = blue, .alpha = alpha};
}

// BI_RGB's fixed masks: 5-5-5 at 16 bpp, 8-8-8 (alpha in the top byte) at 32 bpp.
ChannelMasks UncompressedMasks(int bitCount) {
    if (bitCount == 16) {
        return WithAlphaOutside(0x7C00, 0x03E0, 0x001F, 16);
    }
    return WithAlphaOutside(0x00FF0000, 0x0000FF00, 0x000000FF, 32);
}

// Where the masks and the colour table lie for the compression; nullopt when it is not one drawn.
struct MaskPlace {
    ChannelMasks masks;
    std::size_t paletteOffset = 0;
};

std::optional<MaskPlace> PlaceMasks(std::span<const std::uint8_t> bytes, std::uint32_t headerSize,
                                    int bitCount, std::uint32_t compression) {
    if (compression == kUncompressed) {
        return MaskPlace{.masks = UncompressedMasks(bitCount), .paletteOffset = headerSize};
    }
    if (compression != kBitFields || (bitCount != 16 && bitCount != 32)) {
        return std::nullopt;
    }
    if (headerSize != kBitmapInfoHeaderSize && headerSize < kMasksInHeaderSize) {
        return std::nullopt;
    }
    if (bytes.size() < kBitmapInfoHeaderSize + kMasksSize) {
        return std::nullopt;
    }
    const ChannelMasks masks =
        WithAlphaOutside(Little32(bytes, 40), Little32(bytes, 44), Little32(bytes, 48), bitCount);
    const std::size_t after =
        headerSize == kBitmapInfoHeaderSize ? kBitmapInfoHeaderSize + kMasksSize : headerSize;
    return MaskPlace{.masks = masks, .paletteOffset = after};
}

}  // namespace

std::uint32_t Pixel32(const std::uint8_t* row, int x) {
    const std::uint8_t* at = row + std::size_t(x) * 4;
    return std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 | std::uint32_t(at[2]) << 16 |
           std::uint32_t(at[3]) << 24;
}

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
        !IsKnownBitCount(bitCount) || !paletteColors) {
        return std::nullopt;
    }
    const std::optional<MaskPlace> place =
        PlaceMasks(bytes, headerSize, bitCount, Little32(bytes, 16));
    if (!place) {
        return std::nullopt;
    }
    DibLayout layout{.headerSize = headerSize,
                     .width = width,
                     .height = dibHeight / 2,
                     .bitCount = bitCount,
                     .paletteColors = *paletteColors,
                     .masks = place->masks,
                     .paletteOffset = place->paletteOffset};
    layout.colourOffset = layout.paletteOffset + std::size_t(layout.paletteColors) * 4;
    layout.colourStride = RowStride(width, bitCount);
    layout.maskOffset = layout.colourOffset + layout.colourStride * layout.height;
    layout.maskStride = RowStride(width, 1);
    if (layout.maskOffset + layout.maskStride * layout.height > bytes.size()) {
        return std::nullopt;
    }
    return layout;
}

bool HasAlphaChannel(const DibLayout& layout, std::span<const std::uint8_t> bytes) {
    if (layout.bitCount != 32 || layout.masks.alpha == 0) {
        return false;
    }
    for (int y = 0; y < layout.height; ++y) {
        const std::uint8_t* row = bytes.data() + layout.colourOffset + layout.colourStride * y;
        for (int x = 0; x < layout.width; ++x) {
            if ((Pixel32(row, x) & layout.masks.alpha) != 0) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace platform::picture
