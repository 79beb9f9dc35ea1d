#include "tools/PngEncoding.h"

#include <algorithm>

#include "platform/picture/DescribedDrawing.h"
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
    const auto drawn = picture::DrawDescribed(file, icon.images, side);
    return drawn ? picture::PngOfPixels(*drawn) : std::nullopt;
}

}  // namespace tool
