#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// Where the parts of an icon image stored as a DIB lie: the header, the colour table, the colour
// (XOR) bits and the AND mask, both bottom-up with rows padded to 32 bits.
namespace platform::picture {

// The largest width or height of an icon image this program draws.
inline constexpr int kMaxIconSide = 1024;

struct DibLayout {
    std::uint32_t headerSize = 0;  // 40 for a BITMAPINFOHEADER, more for its later versions
    int width = 0;
    int height = 0;         // of the image: half the DIB's height, which counts the mask too
    int bitCount = 0;       // 1, 4, 8, 16, 24 or 32
    int paletteColors = 0;  // 4-byte colour table entries right after the header
    std::size_t colourOffset = 0;
    std::size_t colourStride = 0;
    std::size_t maskOffset = 0;
    std::size_t maskStride = 0;
};

// The layout of a DIB icon image: a BITMAPINFOHEADER or a later version, uncompressed, 1, 4, 8, 16,
// 24 or 32 bits per pixel, bottom-up, at most kMaxIconSide pixels a side, whose bytes hold the
// colour table, the colour bits and the whole AND mask. std::nullopt for anything else.
std::optional<DibLayout> ReadDibLayout(std::span<const std::uint8_t> bytes);

// Whether a 32-bpp DIB carries alpha (some alpha byte is not 0); false for other depths.
bool HasAlphaChannel(const DibLayout& layout, std::span<const std::uint8_t> bytes);

}  // namespace platform::picture
