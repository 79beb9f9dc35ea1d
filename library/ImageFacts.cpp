#include "library/ImageFacts.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/format/ImageHeader.h"
#include "platform/picture/IconImageInfo.h"

namespace quorvane {

namespace format = platform::format;

namespace {

// A header's side or depth as an int (a PNG may claim up to 2^32 - 1).
int Clamped(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, INT_MAX));
}

}  // namespace

Image ImageOf(const platform::icons::DescribedImage& described) {
    const platform::icons::IconImage& image = described.image;
    Image facts;
    facts.byteCount = described.length;
    facts.claimedWidth = image.entry.PixelWidth();
    facts.claimedHeight = image.entry.PixelHeight();
    facts.claimedDepth = image.entry.bitCount;
    if (image.hotspot) {
        facts.hotspot = Hotspot{image.hotspot->x, image.hotspot->y};
    }
    if (format::IsAnimatedCursor(image.bytes)) {
        facts.format = ImageFormat::Ani;
        facts.claimedWidth = facts.claimedHeight = facts.claimedDepth = 0;
        return facts;
    }
    if (const auto header = format::ReadImageHeader(image.bytes)) {
        facts.width = Clamped(header->width);
        facts.height = Clamped(header->height);
        facts.depth = header->depth;
        facts.format =
            header->format == format::ImageFormat::Png ? ImageFormat::Png : ImageFormat::Dib;
        return facts;
    }
    facts.width = facts.claimedWidth;
    facts.height = facts.claimedHeight;
    facts.depth = platform::picture::ColourDepth(image);
    facts.format = platform::picture::IsPng(image) ? ImageFormat::Png : ImageFormat::Dib;
    return facts;
}

}  // namespace quorvane
