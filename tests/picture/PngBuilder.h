#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/IconFixtures.h"

// PNG files built chunk by chunk for the decoder tests: any colour type, depth and interlace,
// raw rows of seeded bytes (with every filter type), extra chunks placed before the image data.
namespace picture_test {

struct PngShape {
    int width = 8;
    int height = 8;
    int depth = 8;
    int colourType = 6;
    bool interlaced = false;
    std::uint32_t seed = 1;
};

// One chunk, its CRC right.
fixtures::Bytes PngChunk(const std::string& type, const fixtures::Bytes& data);

// The raw size of the image (its rows and filter bytes, every Adam7 pass when interlaced).
std::size_t PngRawSize(const PngShape& shape);

// A PNG of the shape: IHDR, then `before` (whole chunks), then the raw rows deflated into one
// IDAT (`rawExtra` seeded bytes appended to the raw rows first), then IEND.
fixtures::Bytes BuildPng(const PngShape& shape, const fixtures::Bytes& before = {},
                         std::size_t rawExtra = 0);

}  // namespace picture_test
