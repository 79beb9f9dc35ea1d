#include "platform/picture/IconImageInfo.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace platform::picture {

namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kDibBitCountOffset = 14;
constexpr int kPngDepth = 32;

}  // namespace

bool IsPng(const icons::IconImage& image) {
    return image.bytes.size() >= kPngSignature.size() &&
           std::equal(kPngSignature.begin(), kPngSignature.end(), image.bytes.begin());
}

int ColourDepth(const icons::IconImage& image) {
    if (image.entry.bitCount != 0) {
        return image.entry.bitCount;
    }
    if (IsPng(image)) {
        return kPngDepth;
    }
    if (image.bytes.size() < kDibBitCountOffset + 2) {
        return 0;
    }
    return image.bytes[kDibBitCountOffset] | (image.bytes[kDibBitCountOffset + 1] << 8);
}

}  // namespace platform::picture
