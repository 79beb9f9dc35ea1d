#include "platform/picture/IconImageInfo.h"

#include "platform/format/IconFormat.h"
#include "platform/format/LittleEndian.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace platform::picture {

namespace {

constexpr std::size_t kDibBitCountOffset = 14;
constexpr int kPngDepth = 32;

}  // namespace

bool IsPng(const icons::IconImage& image) {
    return format::StartsWithPngSignature(image.bytes);
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
    return format::Little16(image.bytes, kDibBitCountOffset);
}

}  // namespace platform::picture
