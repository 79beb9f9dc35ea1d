#pragma once

#include <QImage>

#include "platform/picture/Picture.h"

// Pictures drawn with Qt: the Qt half of the picture object.
namespace platform::picture::qt {

// The picture drawn at that size from its best image (ARGB32, premultiplied), smoothly scaled from
// the first image in order of preference that decodes; a null image when none does or the size is
// empty.
QImage Render(const Picture& picture, int width, int height);

}  // namespace platform::picture::qt
