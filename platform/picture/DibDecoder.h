#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/picture/DibLayout.h"
#include "platform/picture/DrawBudget.h"
#include "platform/toolkit/Drawable.h"

// Draws a DIB icon image the way Windows does, from its bytes in place.
namespace platform::picture {

// The image's pixels, premultiplied ARGB at its own size. Colours come from the colour table (1, 4
// and 8 bpp; an index past the table is black) or the bits (16 and 32 bpp through the layout's
// masks, 24 bpp as BGR). Alpha comes from the image's own alpha bits when it is a 32-bpp image
// whose alpha is not all zero; otherwise from the AND mask: opaque where the mask bit is 0,
// transparent where it is 1. std::nullopt when the budget runs out first.
std::optional<toolkit::ArgbPixels> DecodeDib(const DibLayout& layout,
                                             std::span<const std::uint8_t> bytes,
                                             DrawBudget& budget);

}  // namespace platform::picture
