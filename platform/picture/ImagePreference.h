#pragma once

#include <cstddef>
#include <vector>

#include "platform/icons/IconService.h"

// Which image of an icon group to draw at a given size.
namespace platform::picture {

// The indexes of the group's images, the one that draws best at width x height first: first the
// images at least as large as the target in both dimensions, smallest first; then the others,
// largest first. Among images of the same size the deepest colour comes first, and among equals
// the group's own order holds. Sizes are the group entry's (0 meaning 256).
std::vector<std::size_t> ImagesByPreference(const icons::IconGroup& group, int width, int height);

}  // namespace platform::picture
