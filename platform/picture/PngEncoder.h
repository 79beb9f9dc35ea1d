#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/toolkit/Drawable.h"

// Writing pixels as a PNG file: 8-bit RGBA, straight alpha, compressed with zlib's deflate.
namespace platform::picture {

// The bytes of a PNG of the premultiplied pixels (their colours made straight again); nullopt for
// no pixels or when zlib fails.
std::optional<std::vector<std::uint8_t>> PngOfPixels(const toolkit::ArgbPixels& pixels);

}  // namespace platform::picture
