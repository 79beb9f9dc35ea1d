#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/picture/DrawBudget.h"
#include "platform/toolkit/Drawable.h"

// Our own PNG decoder over zlib's inflate, for the PNG images of icons: only the chunks that make
// pixels are read, and every budget (declared size, inflated bytes, time) is kept inside it.
namespace platform::picture {

// What one decode handed the inflater, for tests to see what was and was not inflated.
struct PngDecodeTrace {
    std::vector<std::array<char, 4>> inflatedChunks;  // the type of each chunk inflated, in order
    std::size_t inflatedBytes = 0;                    // bytes the inflater gave back (last decode)
};

// The slack allowed beyond an image's raw size (its rows and filter bytes) in inflated bytes.
inline constexpr std::size_t kInflateSlack = 1024;

// The PNG's pixels, premultiplied ARGB at its own size: every colour type and bit depth (1 to 16),
// palette and tRNS transparency, Adam7 interlacing. std::nullopt when it does not decode: a
// declared width or height of 0 or above kMaxIconSide (refused before anything is inflated),
// image data that inflates to less than the raw size or beyond it plus kInflateSlack, a missing
// IHDR, PLTE (for a palette image) or IDAT, an unknown critical chunk, or the budget running out.
std::optional<toolkit::ArgbPixels> DecodePng(std::span<const std::uint8_t> bytes,
                                             DrawBudget& budget, PngDecodeTrace* trace = nullptr);

}  // namespace platform::picture
