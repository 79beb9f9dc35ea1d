// libFuzzer target: the format readers over arbitrary bytes, at a few indexes, with every byte of
// every result touched so that a bad copy shows up under the sanitizers.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/icons/IconReader.h"

namespace {

void Touch(const platform::icons::IconGroup& group) {
    volatile std::uint8_t sink = 0;
    for (const auto& image : group.images) {
        std::uint8_t sum =
            image.entry.width ^ image.entry.height ^ image.entry.colorCount ^ image.entry.reserved;
        sum ^= static_cast<std::uint8_t>(image.entry.planes ^ image.entry.bitCount ^
                                         image.bytesInRes ^ image.resourceId);
        for (std::uint8_t byte : image.bytes) {
            sum ^= byte;
        }
        sink = sink ^ sum;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const std::int32_t fromLastByte = size > 0 ? data[size - 1] : 0;
    for (const std::int32_t index : {0, 1, fromLastByte, fromLastByte % 4, -1}) {
        if (const auto group = platform::icons::ReadIconGroup(file, index)) {
            Touch(*group);
        }
    }
    return 0;
}
