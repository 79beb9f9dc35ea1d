#include "tools/PngEncoding.h"

#include <algorithm>

#include "platform/picture/DrawBudget.h"
#include "platform/picture/ImagePreference.h"
#include "platform/picture/PictureDrawing.h"
#include "platform/picture/PngEncoder.h"

namespace tool {

namespace icons = platform::icons;
namespace picture = platform::picture;

std::map<std::uint32_t, DescribedIcon> DescribeIcons(const icons::IconFile& file,
                                                     const std::set<std::uint32_t>& indexes) {
    std::map<std::uint32_t, DescribedIcon> described;
    if (indexes.empty()) {
        return described;
    }
    const std::uint32_t last = *indexes.rbegin();
    std::map<std::uint32_t, DescribedIcon> seen;
    DescribeIconGroups(
        file,
        [&](const icons::DescribedGroup& group) {
            if (group.index > last) {
                return;
            }
            DescribedIcon icon{.images = group.images, .problem = group.problem};
            if (group.sameAs) {
                if (const auto earlier = seen.find(*group.sameAs); earlier != seen.end()) {
                    icon = earlier->second;
                }
            }
            if (indexes.count(group.index) != 0) {
                described[group.index] = icon;
            }
            seen[group.index] = std::move(icon);
        },
        last);
    return described;
}

std::optional<std::vector<std::uint8_t>> EncodePng(const icons::IconFile& file,
                                                   const DescribedIcon& icon, int side) {
    icons::IconGroup heads;
    for (const icons::DescribedImage& image : icon.images) {
        heads.images.push_back(image.image);
    }
    // The draw's deadline runs from the first image read (reading is bounded apart, by
    // kMaxDrawnImageBytes), so that a slow disk does not refuse a small image at the end of a
    // long range.
    std::optional<picture::DrawBudget> budget;
    std::vector<icons::ByteRange> failed;
    for (std::size_t index : picture::ImagesByPreference(heads, side, side)) {
        const icons::ByteRange range = icon.images[index].range;
        if ((budget && budget->Expired()) ||
            std::find(failed.begin(), failed.end(), range) != failed.end()) {
            continue;
        }
        const icons::ByteRange drawn{
            .offset = range.offset, .length = std::min(range.length, picture::kMaxDrawnImageBytes)};
        auto bytes = icons::ReadImageAt(file, drawn);
        if (!budget) {
            budget.emplace();
        }
        if (bytes) {
            icons::IconImage image = heads.images[index];
            image.bytes = std::move(*bytes);
            if (const auto drawn = picture::DrawImage(image, side, side, *budget)) {
                return picture::PngOfPixels(*drawn);
            }
        }
        failed.push_back(range);
    }
    return std::nullopt;
}

}  // namespace tool
