#pragma once

#include "platform/toolkit/Drawable.h"

// Stretching premultiplied pixels to another size.
namespace platform::picture::win32 {

// The pixels stretched to exactly width x height (both positive), each target pixel the average of
// the source area it covers, weighted by how much of each source pixel it covers; the source
// itself when the size is already that.
toolkit::ArgbPixels Scaled(const toolkit::ArgbPixels& source, int width, int height);

}  // namespace platform::picture::win32
