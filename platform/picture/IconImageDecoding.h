#pragma once

#include <cstddef>
#include <optional>

#include "platform/icons/IconService.h"
#include "platform/picture/DrawBudget.h"
#include "platform/toolkit/Drawable.h"

// One image of an icon group decoded at its own size by our own decoders (the same on every
// build), from its shared bytes in place.
namespace platform::picture {

// The image's pixels, premultiplied ARGB at its own size, as Windows draws it: a PNG by
// DecodePng, a DIB by DecodeDib. std::nullopt when it does not decode or the budget runs out. An
// image that fails (not for the budget) is remembered by its shared buffer and not decoded again.
std::optional<toolkit::ArgbPixels> DecodeIconImage(const icons::IconImage& image,
                                                   DrawBudget& budget);

// How many decodes DecodeIconImage has started in this process (for tests and the bench).
std::size_t DecodesStarted();

}  // namespace platform::picture
