#pragma once

#include "platform/toolkit/Drawable.h"

// Stretching premultiplied pixels to another size.
namespace platform::picture {

// The pixels stretched to exactly width x height (both positive), each axis on its own: where it
// shrinks, each target pixel the average of the source area it covers, weighted by how much of each
// source pixel it covers; where it grows, interpolated linearly between the two nearest source
// pixels (as smooth as Qt's smooth scaling). The source itself when the size is already that. The
// same pixels on every build.
toolkit::ArgbPixels Scaled(const toolkit::ArgbPixels& source, int width, int height);

}  // namespace platform::picture
