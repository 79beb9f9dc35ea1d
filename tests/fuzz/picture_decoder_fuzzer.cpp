// libFuzzer target: one icon image drawn from arbitrary bytes by the picture service's own
// decoders, as the previews draw what an executable stores. The first three bytes give the group
// entry's width, height and bit count; the rest are the image's bytes (a DIB or a PNG, or
// anything else).
#include <cstddef>
#include <cstdint>

#include "platform/icons/IconService.h"
#include "platform/picture/IconImageDecoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kEntryBytes = 3;
    if (size < kEntryBytes) {
        return 0;
    }
    platform::icons::IconImage image;
    image.entry.width = data[0];
    image.entry.height = data[1];
    image.entry.bitCount = data[2] % 33;
    image.entry.planes = 1;
    image.bytes = std::vector<std::uint8_t>(data + kEntryBytes, data + size);
    image.bytesInRes = static_cast<std::uint32_t>(image.bytes.size());
    platform::picture::DrawBudget budget;
    const auto decoded = platform::picture::DecodeIconImage(image, budget);
    if (decoded && !decoded->pixels.empty()) {
        volatile std::uint32_t corner = decoded->pixels.back();
        (void)corner;
    }
    return 0;
}
