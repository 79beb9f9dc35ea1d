#pragma once

#include <cstdint>
#include <optional>
#include <span>

// What an icon image's own header says of it, whatever its group entry claims. The tool reads it
// here until a neutral reader of image headers serves every module; only these two calls need to
// change then.
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

// The facts of an icon image: a PNG as ReadPngHeaderFacts reads it, else a DIB whose header is a
// BITMAPINFOHEADER or a later version (width, half the DIB's height, which counts the AND mask too,
// and bit count, each above 0). std::nullopt when the bytes are neither.
std::optional<HeaderFacts> ReadHeaderFacts(std::span<const std::uint8_t> bytes);

}  // namespace tool
