#include "platform/picture/DibDecoder.h"

#include <bit>

#include "platform/picture/PixelFormat.h"

namespace platform::picture {

namespace {

using Row = const std::uint8_t*;

struct Rgb {
    std::uint32_t r = 0;
    std::uint32_t g = 0;
    std::uint32_t b = 0;
};

// Row y of the image counted from the top; DIB rows are stored bottom-up.
Row ColourRow(const DibLayout& layout, std::span<const std::uint8_t> bytes, int y) {
    return bytes.data() + layout.colourOffset + layout.colourStride * (layout.height - 1 - y);
}

Row MaskRow(const DibLayout& layout, std::span<const std::uint8_t> bytes, int y) {
    return bytes.data() + layout.maskOffset + layout.maskStride * (layout.height - 1 - y);
}

int PaletteIndex(Row row, int x, int bitCount) {
    const int pixelsPerByte = 8 / bitCount;
    const int shift = 8 - bitCount * (x % pixelsPerByte + 1);
    return (row[x / pixelsPerByte] >> shift) & ((1 << bitCount) - 1);
}

Rgb PaletteColour(const DibLayout& layout, std::span<const std::uint8_t> bytes, int index) {
    if (index >= layout.paletteColors) {
        return {};  // outside the palette: black
    }
    const std::uint8_t* entry = bytes.data() + layout.paletteOffset + std::size_t(index) * 4;
    return {entry[2], entry[1], entry[0]};
}

// The bits of `mask` in `pixel` as an 8-bit value: fewer bits repeated to fill eight (5 bits
// abcde give abcdeabc), more bits cut to their top eight.
std::uint32_t Channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const int bits = std::bit_width(mask >> shift);
    const std::uint32_t value = (pixel & mask) >> shift;
    if (bits >= 8) {
        return (value >> (bits - 8)) & 0xFF;
    }
    std::uint32_t out = 0;
    for (int filled = 0; filled < 8; filled += bits) {
        out = (out << bits) | value;
    }
    const int extra = ((8 + bits - 1) / bits) * bits - 8;
    return (out >> extra) & 0xFF;
}

Rgb MaskedColour(const ChannelMasks& masks, std::uint32_t pixel) {
    return {Channel(pixel, masks.red), Channel(pixel, masks.green), Channel(pixel, masks.blue)};
}

std::uint32_t PixelAt(Row row, int x, int bitCount) {
    if (bitCount == 16) {
        return std::uint32_t(row[x * 2]) | std::uint32_t(row[x * 2 + 1]) << 8;
    }
    return Pixel32(row, x);
}

Rgb ColourAt(const DibLayout& layout, std::span<const std::uint8_t> bytes, Row row, int x) {
    switch (layout.bitCount) {
        case 16:
        case 32:
            return MaskedColour(layout.masks, PixelAt(row, x, layout.bitCount));
        case 24:
            return {row[x * 3 + 2], row[x * 3 + 1], row[x * 3]};
        default:
            return PaletteColour(layout, bytes, PaletteIndex(row, x, layout.bitCount));
    }
}

bool MaskBitSet(Row row, int x) {
    return (row[x / 8] >> (7 - x % 8)) & 1;
}

}  // namespace

std::optional<toolkit::ArgbPixels> DecodeDib(const DibLayout& layout,
                                             std::span<const std::uint8_t> bytes,
                                             DrawBudget& budget) {
    toolkit::ArgbPixels image{.width = layout.width, .height = layout.height, .pixels = {}};
    image.pixels.resize(std::size_t(layout.width) * layout.height);
    const bool ownAlpha = HasAlphaChannel(layout, bytes);
    for (int y = 0; y < layout.height; ++y) {
        budget.Charge(std::size_t(layout.width) * 4);
        if (budget.Expired()) {
            return std::nullopt;
        }
        Row colours = ColourRow(layout, bytes, y);
        Row mask = MaskRow(layout, bytes, y);
        std::uint32_t* out = image.pixels.data() + std::size_t(y) * layout.width;
        for (int x = 0; x < layout.width; ++x) {
            const std::uint32_t alpha = ownAlpha ? Channel(Pixel32(colours, x), layout.masks.alpha)
                                                 : (MaskBitSet(mask, x) ? 0 : 255);
            const Rgb colour = ColourAt(layout, bytes, colours, x);
            out[x] = PremultipliedPixel(colour.r, colour.g, colour.b, alpha);
        }
    }
    return image;
}

}  // namespace platform::picture
