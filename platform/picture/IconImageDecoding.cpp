#include "platform/picture/IconImageDecoding.h"

#include <atomic>

#include "platform/picture/DibDecoder.h"
#include "platform/picture/DibLayout.h"
#include "platform/picture/FailedImages.h"
#include "platform/picture/IconImageInfo.h"
#include "platform/picture/PngDecoder.h"

namespace platform::picture {

namespace {

std::atomic<std::size_t> decodesStarted{0};

std::optional<toolkit::ArgbPixels> DecodeDibImage(std::span<const std::uint8_t> bytes,
                                                  DrawBudget& budget) {
    const std::optional<DibLayout> layout = ReadDibLayout(bytes);
    if (!layout) {
        return std::nullopt;
    }
    return DecodeDib(*layout, bytes, budget);
}

}  // namespace

std::optional<toolkit::ArgbPixels> DecodeIconImage(const icons::IconImage& image,
                                                   DrawBudget& budget) {
    if (budget.Expired() || KnownToFail(image.bytes)) {
        return std::nullopt;
    }
    decodesStarted.fetch_add(1, std::memory_order_relaxed);
    std::optional<toolkit::ArgbPixels> decoded =
        IsPng(image) ? DecodePng(image.bytes, budget) : DecodeDibImage(image.bytes, budget);
    // A decode the deadline cut short says nothing of the image: it is not remembered.
    if (!decoded && !budget.Expired()) {
        MarkFailed(image.bytes);
    }
    return decoded;
}

std::size_t DecodesStarted() {
    return decodesStarted.load(std::memory_order_relaxed);
}

}  // namespace platform::picture
