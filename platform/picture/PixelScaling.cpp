#include "platform/picture/PixelScaling.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace platform::picture {

namespace {

// The source pixels one target pixel covers along one axis, with their weights (summing to 1).
struct Span {
    int first = 0;
    std::vector<double> weights;
};

// Shrinking: the source area the target pixel covers, each source pixel by how much of it is
// covered.
Span Covered(int target, int targetSize, int sourceSize) {
    const double scale = static_cast<double>(sourceSize) / targetSize;
    const double start = target * scale;
    const double end = start + scale;
    Span span;
    span.first = static_cast<int>(std::floor(start));
    for (int s = span.first; s < sourceSize && s < end; ++s) {
        const double covered = std::min<double>(s + 1, end) - std::max<double>(s, start);
        span.weights.push_back(covered / scale);
    }
    return span;
}

// Enlarging: the two source pixels nearest the target pixel's centre, linearly weighted (the edges
// repeat the outer pixels).
Span Interpolated(int target, int targetSize, int sourceSize) {
    const double scale = static_cast<double>(sourceSize) / targetSize;
    const double centre = std::max(0.0, (target + 0.5) * scale - 0.5);
    const int first = std::min(static_cast<int>(std::floor(centre)), sourceSize - 1);
    const double fraction = first + 1 < sourceSize ? centre - first : 0.0;
    Span span{.first = first, .weights = {1.0 - fraction}};
    if (fraction > 0.0) {
        span.weights.push_back(fraction);
    }
    return span;
}

std::vector<Span> SpansAlong(int targetSize, int sourceSize) {
    std::vector<Span> spans;
    spans.reserve(static_cast<std::size_t>(targetSize));
    for (int t = 0; t < targetSize; ++t) {
        spans.push_back(targetSize > sourceSize ? Interpolated(t, targetSize, sourceSize)
                                                : Covered(t, targetSize, sourceSize));
    }
    return spans;
}

std::uint32_t Average(const toolkit::ArgbPixels& source, const Span& across, const Span& down) {
    std::array<double, 4> sums{};
    for (std::size_t j = 0; j < down.weights.size(); ++j) {
        const std::size_t row = static_cast<std::size_t>(down.first + static_cast<int>(j));
        for (std::size_t i = 0; i < across.weights.size(); ++i) {
            const std::size_t column = static_cast<std::size_t>(across.first + static_cast<int>(i));
            const std::uint32_t pixel = source.pixels[row * source.width + column];
            const double weight = across.weights[i] * down.weights[j];
            for (std::size_t c = 0; c < sums.size(); ++c) {
                sums[c] += weight * ((pixel >> (8 * c)) & 0xFF);
            }
        }
    }
    std::uint32_t pixel = 0;
    for (std::size_t c = 0; c < sums.size(); ++c) {
        const long value = std::lround(std::clamp(sums[c], 0.0, 255.0));
        pixel |= static_cast<std::uint32_t>(value) << (8 * c);
    }
    return pixel;
}

}  // namespace

toolkit::ArgbPixels Scaled(const toolkit::ArgbPixels& source, int width, int height) {
    if (source.width == width && source.height == height) {
        return source;
    }
    const std::vector<Span> across = SpansAlong(width, source.width);
    const std::vector<Span> down = SpansAlong(height, source.height);
    toolkit::ArgbPixels scaled{.width = width, .height = height, .pixels = {}};
    scaled.pixels.reserve(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            scaled.pixels.push_back(Average(source, across[static_cast<std::size_t>(x)],
                                            down[static_cast<std::size_t>(y)]));
        }
    }
    return scaled;
}

}  // namespace platform::picture
