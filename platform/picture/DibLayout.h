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

// Which bits of a 16- or 32-bit pixel hold each channel.
struct ChannelMasks {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
    std::uint32_t alpha = 0;  // the bits no colour mask covers (32 bpp); 0 at 16 bpp
};

struct DibLayout {
    std::uint32_t headerSize = 0;  // 40 for a BITMAPINFOHEADER, more for its later versions
    int width = 0;
    int height = 0;         // of the image: half the DIB's height, which counts the mask too
    int bitCount = 0;       // 1, 4, 8, 16, 24 or 32
    int paletteColors = 0;  // 4-byte colour table entries right after the header (and masks)
    ChannelMasks masks;     // 16 and 32 bpp: BI_BITFIELDS's masks, or BI_RGB's 5-5-5 and 8-8-8
    std::size_t paletteOffset = 0;
    std::size_t colourOffset = 0;
    std::size_t colourStride = 0;
    std::size_t maskOffset = 0;
    std::size_t maskStride = 0;
};

// The layout of a DIB icon image: a BITMAPINFOHEADER or a later version (read by its first 40
// bytes), uncompressed (BI_RGB) or, at 16 and 32 bpp, BI_BITFIELDS (three DWORD masks after a
// 40-byte header, or inside a longer one), 1, 4, 8, 16, 24 or 32 bits per pixel, bottom-up, at
// most kMaxIconSide pixels a side, whose bytes hold the colour table, the colour bits and the
// whole AND mask. std::nullopt for anything else.
std::optional<DibLayout> ReadDibLayout(std::span<const std::uint8_t> bytes);

// The 32-bit little-endian pixel x of a row of 32-bpp colour bits.
std::uint32_t Pixel32(const std::uint8_t* row, int x);

// Whether a 32-bpp DIB carries alpha (some pixel has a bit of the alpha mask set); false for other
// depths.
bool HasAlphaChannel(const DibLayout& layout, std::span<const std::uint8_t> bytes);

}  // namespace platform::picture
