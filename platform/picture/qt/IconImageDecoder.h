#pragma once

#include <QImage>

#include "platform/icons/IconService.h"

namespace platform::picture {

// One image of an icon group drawn at its own size as Windows draws it, ARGB32 premultiplied; a
// null image when it cannot be decoded. PNG images, and the DIBs Qt's ICO reader gets right, go
// through that reader over a one-image .ico; the other DIBs are decoded here.
QImage DecodeIconImage(const icons::IconImage& image);

}  // namespace platform::picture
