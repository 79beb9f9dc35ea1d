#include "platform/picture/win32/PixelScaling.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace platform::picture::win32 {

namespace {

// The source pixels one target pixel covers along one axis, with their weights (summing to 1).
struct Span {
    int first = 0;
    std::vector<double> weights;
};

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

std::vector<Span> SpansAlong(int targetSize, int sourceSize) {
    std::vector<Span> spans;
    spans.reserve(static_cast<std::size_t>(targetSize));
    for (int t = 0; t < targetSize; ++t) {
        spans.push_back(Covered(t, targetSize, sourceSize));
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

}  // namespace platform::picture::win32
