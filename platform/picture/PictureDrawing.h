#pragma once

#include <cstdint>
#include <optional>

#include "platform/icons/IconService.h"
#include "platform/picture/DrawBudget.h"
#include "platform/toolkit/Drawable.h"

// Drawing an icon group into a box: the best image that decodes, scaled to the box. Neutral: the
// same pixels on every build; the toolkit only paints them.
namespace platform::picture {

// The most bytes of one image a draw needs: more than the largest DIB drawn (a 1024 x 1024 image
// at 32 bpp with its mask and a V5 header) and room for a PNG of that size stored uncompressed at
// 16 bits a channel. A reader of single images reads no more of an image than this; the rest of
// a longer image is never drawn from.
inline constexpr std::uint64_t kMaxDrawnImageBytes = 16u << 20;

// The image decoded (DecodeIconImage) and scaled to width x height (both positive); nullopt when
// it does not decode within the budget.
std::optional<toolkit::ArgbPixels> DrawImage(const icons::IconImage& image, int width, int height,
                                             DrawBudget& budget);

// The first image of the group in order of preference (ImagesByPreference) that decodes within
// the budget, drawn at width x height; no pixels when none does or the size is empty.
toolkit::ArgbPixels DrawGroup(const icons::IconGroup& group, int width, int height,
                              DrawBudget& budget);

}  // namespace platform::picture
