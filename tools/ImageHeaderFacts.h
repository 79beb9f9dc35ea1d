#pragma once

#include <cstdint>
#include <optional>
#include <span>

// What a PNG file's header says of it, checked as strictly as a PNG decoder would before pack
// stores the file byte for byte in an .ico (an icon image's own header, whatever it is, is read by
// platform/format/ImageHeader.h).
namespace tool {

struct HeaderFacts {
    int width = 0;
    int height = 0;
    int depth = 0;  // bits per pixel: a DIB's bit count, a PNG's bit depth times its channels
    bool png = false;
};

// The facts of a PNG: the signature, then an IHDR chunk of 13 bytes first, its width and height
// from 1 to 2^31 - 1, a bit depth its colour type allows, compression and filter method 0,
// interlace 0 or 1. std::nullopt for anything else.
std::optional<HeaderFacts> ReadPngHeaderFacts(std::span<const std::uint8_t> bytes);

}  // namespace tool
