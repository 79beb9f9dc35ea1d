// libFuzzer target: the thumbnail path end to end over arbitrary bytes: the file's first icon
// group read (PE, NE or .ico), its best image for the size decoded, scaled and written as a PNG,
// and that PNG decoded back. The last byte picks the side (1 to 256).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/icons/IconReader.h"
#include "platform/picture/DrawBudget.h"
#include "platform/picture/PictureDrawing.h"
#include "platform/picture/PngDecoder.h"
#include "platform/picture/PngEncoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int side = 1 + data[size - 1];
    const auto group = platform::icons::ReadIconGroup(std::span(data, size), 0);
    if (!group) {
        return 0;
    }
    platform::picture::DrawBudget budget;
    const toolkit::ArgbPixels drawn = platform::picture::DrawGroup(*group, side, side, budget);
    if (drawn.pixels.empty()) {
        return 0;
    }
    const auto png = platform::picture::PngOfPixels(drawn);
    if (!png) {
        std::abort();  // drawn pixels always make a PNG
    }
    platform::picture::DrawBudget again(std::chrono::hours(1));
    const auto back = platform::picture::DecodePng(*png, again);
    if (!back || back->width != side || back->height != side) {
        std::abort();  // what we write, we read back at its size
    }
    return 0;
}
