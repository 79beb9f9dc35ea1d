#pragma once

#include "platform/icons/IconService.h"

// What an icon image is, read from its group entry and its first bytes.
namespace platform::picture {

// Whether the image is stored as a PNG (rather than a DIB).
bool IsPng(const icons::IconImage& image);

// The image's colour depth in bits per pixel: the group entry's bit count; where that is 0, 32 for
// a PNG and the DIB header's bit count for a DIB (0 when the header is too short to say).
int ColourDepth(const icons::IconImage& image);

}  // namespace platform::picture
