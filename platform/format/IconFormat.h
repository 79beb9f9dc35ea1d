#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// The on-disk vocabulary of icon and cursor files and of icon resources, shared by the icon
// readers, the .ico writer and the cursor reader: the directory's header and entry sizes, the
// types, and how an image's first bytes say what it is.
namespace platform::format {

// ICONDIR / GRPICONDIR: reserved, type, count.
inline constexpr std::size_t kIconDirHeaderSize = 6;
// An entry of an .ico or .cur file (ends with the image's file offset).
inline constexpr std::size_t kIconFileEntrySize = 16;
// An entry of an RT_GROUP_ICON resource (ends with the RT_ICON resource's ID).
inline constexpr std::size_t kGroupEntrySize = 14;
inline constexpr std::uint16_t kTypeIcon = 1;
inline constexpr std::uint16_t kTypeCursor = 2;

// The sizes of the DIB headers an icon image may start with: BITMAPINFOHEADER, V4, V5.
inline constexpr std::uint32_t kBitmapInfoHeaderSize = 40;
inline constexpr std::uint32_t kBitmapV4HeaderSize = 108;
inline constexpr std::uint32_t kBitmapV5HeaderSize = 124;

inline constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P',  'N',  'G',
                                                              '\r', '\n', 0x1A, '\n'};

// Whether the bytes start with the PNG signature.
inline bool StartsWithPngSignature(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kPngSignature.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kPngSignature.size(); ++i) {
        if (bytes[i] != kPngSignature[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace platform::format
