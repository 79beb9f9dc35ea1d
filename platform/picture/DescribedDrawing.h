#pragma once

#include <optional>
#include <vector>

#include "platform/icons/IconDescription.h"
#include "platform/icons/IconFile.h"
#include "platform/toolkit/Drawable.h"

// A group drawn from its description, one image read at a time: what the tool's PNGs and the
// library's drawings are made of, without reading the whole group.
namespace platform::picture {

// The first of `images` in order of preference (ImagesByPreference) that decodes within one
// draw's budget (DrawBudget), drawn at side x side: each read alone from the file (ReadImageAt, at
// most kMaxDrawnImageBytes of it) when it is tried, an image range that failed not tried again.
// The budget's deadline runs from the first image read, so that a slow disk does not refuse a
// small image at the end of a long range. nullopt when no image draws.
std::optional<toolkit::ArgbPixels> DrawDescribed(const icons::IconFile& file,
                                                 const std::vector<icons::DescribedImage>& images,
                                                 int side);

}  // namespace platform::picture
