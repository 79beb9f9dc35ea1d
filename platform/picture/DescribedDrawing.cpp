#include "platform/picture/DescribedDrawing.h"

#include <algorithm>

#include "platform/picture/DrawBudget.h"
#include "platform/picture/ImagePreference.h"
#include "platform/picture/PictureDrawing.h"

namespace platform::picture {

std::optional<toolkit::ArgbPixels> DrawDescribed(const icons::IconFile& file,
                                                 const std::vector<icons::DescribedImage>& images,
                                                 int side) {
    icons::IconGroup heads;
    for (const icons::DescribedImage& image : images) {
        heads.images.push_back(image.image);
    }
    std::optional<DrawBudget> budget;
    std::vector<icons::ByteRange> failed;
    for (std::size_t index : ImagesByPreference(heads, side, side)) {
        const icons::ByteRange range = images[index].range;
        if ((budget && budget->Expired()) ||
            std::find(failed.begin(), failed.end(), range) != failed.end()) {
            continue;
        }
        const icons::ByteRange read{.offset = range.offset,
                                    .length = std::min(range.length, kMaxDrawnImageBytes)};
        auto bytes = icons::ReadImageAt(file, read);
        if (!budget) {
            budget.emplace();
        }
        if (bytes) {
            icons::IconImage image = heads.images[index];
            image.bytes = std::move(*bytes);
            if (auto drawn = DrawImage(image, side, side, *budget)) {
                return drawn;
            }
        }
        failed.push_back(range);
    }
    return std::nullopt;
}

}  // namespace platform::picture
