#pragma once

#include <cstdint>
#include <vector>

namespace toolkit {

// Pixels ready to show: width x height of them, row by row from the top, each an ARGB32 value
// (0xAARRGGBB) with its colour premultiplied by its alpha. Every backend can show such a buffer.
struct ArgbPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // width * height values; empty for nothing to draw
};

// What an image control draws: anything that can draw itself stretched into a box of a given
// size. The control keeps a shared reference to it and asks again only when the size changes.
class Drawable {
public:
    virtual ~Drawable() = default;

    // Drawn stretched to exactly width x height pixels (both positive); no pixels when there is
    // nothing to draw.
    virtual ArgbPixels Pixels(int width, int height) const = 0;
};

}  // namespace toolkit
