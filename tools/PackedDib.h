#pragma once

#include <cstdint>
#include <vector>

#include "platform/toolkit/Drawable.h"

// Drawn pixels stored as an icon image for readers that know no PNG.
namespace tool {

// A 32-bpp DIB icon image of the pixels (premultiplied ARGB, as a picture draws them): a
// BITMAPINFOHEADER whose height counts the AND mask too, the colour rows bottom-up as BGRA with
// the colour taken back from premultiplied, then the AND mask rows bottom-up, a bit set where
// alpha is 0. Empty for no pixels.
std::vector<std::uint8_t> DibIconImage(const toolkit::ArgbPixels& drawn);

}  // namespace tool
