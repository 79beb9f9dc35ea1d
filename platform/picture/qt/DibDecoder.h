#pragma once

#include <cstdint>
#include <span>

#include <QImage>

#include "platform/picture/DibLayout.h"

// Draws a DIB icon image the way Windows does, without Qt's ICO reader: for the images that reader
// gets wrong or refuses (see IconImageDecoder.cpp).
namespace platform::picture {

// The image's pixels, ARGB32 (not premultiplied). Colours come from the colour table (1, 4 and
// 8 bpp) or the bits (16 bpp as 5-5-5, 24 and 32 bpp as BGR). Alpha comes from the image's own
// alpha channel when it is a 32-bpp image whose alpha is not all zero; otherwise from the AND mask:
// opaque where the mask bit is 0, transparent where it is 1.
QImage DecodeDib(const DibLayout& layout, std::span<const std::uint8_t> bytes);

}  // namespace platform::picture
