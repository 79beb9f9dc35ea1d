#include <algorithm>
#include <new>
#include <optional>

#include "library/FileState.h"
#include "platform/picture/DescribedDrawing.h"
#include "platform/picture/PngEncoder.h"

// File::DrawRgba and File::Png: a group drawn from one image at a time, as the tool's PNGs are.
namespace quorvane {

namespace icons = platform::icons;
namespace picture = platform::picture;

namespace {

// A straight colour component of a premultiplied one.
std::uint8_t Straight(std::uint32_t component, std::uint32_t alpha) {
    return static_cast<std::uint8_t>(
        alpha == 0 ? 0 : std::min(255u, (component * 255 + alpha / 2) / alpha));
}

Rgba RgbaOf(const toolkit::ArgbPixels& argb) {
    Rgba rgba{.width = argb.width, .height = argb.height, .pixels = {}};
    rgba.pixels.reserve(argb.pixels.size() * 4);
    for (const std::uint32_t pixel : argb.pixels) {
        const std::uint32_t alpha = pixel >> 24;
        rgba.pixels.push_back(Straight((pixel >> 16) & 0xFF, alpha));
        rgba.pixels.push_back(Straight((pixel >> 8) & 0xFF, alpha));
        rgba.pixels.push_back(Straight(pixel & 0xFF, alpha));
        rgba.pixels.push_back(static_cast<std::uint8_t>(alpha));
    }
    return rgba;
}

// The group at `index` drawn at side x side, or the reason it is not.
Result<toolkit::ArgbPixels> Draw(File::State& state, std::uint32_t index, int side) {
    if (const auto missing = MissingGroup(state, index)) {
        return *missing;
    }
    if (side < 1 || side > kMaxDrawnSide) {
        return Error{"size " + std::to_string(side) + " is not from 1 to " +
                     std::to_string(kMaxDrawnSide)};
    }
    if (state.kind == Kind::Animated) {
        return Error{"animated resources are not drawn"};
    }
    const Group& group = state.groups[index];
    if (!group.problem.empty()) {
        return Error{group.problem};
    }
    const std::lock_guard lock(state.mutex);
    auto drawn =
        picture::DrawDescribed(state.file, state.described[group.sameAs.value_or(index)], side);
    if (!drawn || drawn->pixels.empty()) {
        return Error{"none of the group's " +
                     std::to_string(state.described[group.sameAs.value_or(index)].size()) +
                     " images draws (each failed to decode or the draw ran out of time)"};
    }
    return std::move(*drawn);
}

}  // namespace

Result<Rgba> File::DrawRgba(std::uint32_t index, int size) const {
    try {
        auto drawn = Draw(*state_, index, size);
        if (!drawn) {
            return Error{drawn.error()};
        }
        return RgbaOf(drawn.value());
    } catch (const std::bad_alloc&) {
        return Error{"out of memory while drawing group " + std::to_string(index)};
    }
}

Result<std::vector<std::uint8_t>> File::Png(std::uint32_t index, int size) const {
    try {
        auto drawn = Draw(*state_, index, size);
        if (!drawn) {
            return Error{drawn.error()};
        }
        auto png = picture::PngOfPixels(drawn.value());
        if (!png) {
            return Error{"the PNG could not be written (zlib failed)"};
        }
        return std::move(*png);
    } catch (const std::bad_alloc&) {
        return Error{"out of memory while drawing group " + std::to_string(index)};
    }
}

}  // namespace quorvane
