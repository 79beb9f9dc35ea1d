#pragma once

#include <cstdint>

// Premultiplied ARGB32 pixels (toolkit::ArgbPixels) made from straight channels and back.
namespace platform::picture {

// c * a / 255, rounded as Qt's qPremultiply rounds it.
constexpr std::uint32_t Premultiplied(std::uint32_t c, std::uint32_t a) {
    const std::uint32_t t = c * a + 128;
    return (t + (t >> 8)) >> 8;
}

// The premultiplied ARGB32 pixel of straight red, green, blue and alpha (each 0-255).
constexpr std::uint32_t PremultipliedPixel(std::uint32_t r, std::uint32_t g, std::uint32_t b,
                                           std::uint32_t a) {
    return a << 24 | Premultiplied(r, a) << 16 | Premultiplied(g, a) << 8 | Premultiplied(b, a);
}

// One premultiplied channel made straight again (0 where alpha is 0).
constexpr std::uint8_t Unpremultiplied(std::uint32_t c, std::uint32_t a) {
    if (a == 0) {
        return 0;
    }
    const std::uint32_t straight = (c * 255 + a / 2) / a;
    return static_cast<std::uint8_t>(straight > 255 ? 255 : straight);
}

}  // namespace platform::picture
