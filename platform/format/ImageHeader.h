#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "platform/format/IconFormat.h"
#include "platform/format/LittleEndian.h"

// What an icon or cursor image says of itself in its first bytes: its size, colour depth and
// format, read from its BITMAPINFOHEADER (the first 40 bytes also of a V4 or V5 header) or its PNG
// IHDR chunk; and whether bytes are an animated cursor file (RIFF "ACON").
namespace platform::format {

enum class ImageFormat { Dib, Png };

struct ImageHeader {
    std::int64_t width = 0;
    std::int64_t height = 0;  // a DIB's is half its header's height: the AND mask is the rest
    int depth = 0;            // bits per pixel; a PNG's bit depth times its channels
    ImageFormat format = ImageFormat::Dib;
};

// How many leading bytes ReadImageHeader needs at most (a BITMAPINFOHEADER; a PNG needs 26).
inline constexpr std::size_t kImageHeaderLength = kBitmapInfoHeaderSize;

// The header of the image whose first bytes are `head`; nullopt when they are neither a DIB
// header (size 40, 108 or 124) nor a PNG signature followed by its IHDR chunk, or are too short.
inline std::optional<ImageHeader> ReadImageHeader(std::span<const std::uint8_t> head) {
    if (StartsWithPngSignature(head)) {
        constexpr std::size_t kIhdr = 8 + 8;  // signature, chunk length and type
        if (head.size() < kIhdr + 10 || head[12] != 'I' || head[13] != 'H' || head[14] != 'D' ||
            head[15] != 'R') {
            return std::nullopt;
        }
        const auto big32 = [&](std::size_t at) {
            return std::uint32_t{head[at]} << 24 | std::uint32_t{head[at + 1]} << 16 |
                   std::uint32_t{head[at + 2]} << 8 | std::uint32_t{head[at + 3]};
        };
        const int bitDepth = head[kIhdr + 8];
        const int colourType = head[kIhdr + 9];
        const int channels = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
        return ImageHeader{big32(kIhdr), big32(kIhdr + 4), bitDepth * channels, ImageFormat::Png};
    }
    Fields fields(head);
    const std::uint32_t size = fields.U32(0);
    const auto width = static_cast<std::int32_t>(fields.U32(4));
    const auto height = static_cast<std::int32_t>(fields.U32(8));
    const int depth = fields.U16(14);
    if (!fields.Ok() || head.size() < kBitmapInfoHeaderSize ||
        (size != kBitmapInfoHeaderSize && size != kBitmapV4HeaderSize &&
         size != kBitmapV5HeaderSize)) {
        return std::nullopt;
    }
    return ImageHeader{std::llabs(std::int64_t{width}), std::llabs(std::int64_t{height}) / 2, depth,
                       ImageFormat::Dib};
}

// "RIFF", the chunk's size, "ACON".
inline constexpr std::size_t kRiffHeaderSize = 12;

// Whether the bytes start like an animated cursor file.
inline bool IsAnimatedCursor(std::span<const std::uint8_t> head) {
    return head.size() >= kRiffHeaderSize && head[0] == 'R' && head[1] == 'I' && head[2] == 'F' &&
           head[3] == 'F' && head[8] == 'A' && head[9] == 'C' && head[10] == 'O' && head[11] == 'N';
}

}  // namespace platform::format
