#include "platform/picture/PictureDrawing.h"

#include "platform/picture/DrawnPixels.h"
#include "platform/picture/IconImageDecoding.h"
#include "platform/picture/ImagePreference.h"
#include "platform/picture/Picture.h"
#include "platform/picture/PixelScaling.h"

namespace platform::picture {

std::optional<toolkit::ArgbPixels> DrawImage(const icons::IconImage& image, int width, int height,
                                             DrawBudget& budget) {
    std::optional<toolkit::ArgbPixels> decoded = DecodeIconImage(image, budget);
    if (!decoded) {
        return std::nullopt;
    }
    if (decoded->width == width && decoded->height == height) {
        return decoded;
    }
    return Scaled(*decoded, width, height);
}

toolkit::ArgbPixels DrawGroup(const icons::IconGroup& group, int width, int height,
                              DrawBudget& budget) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    for (std::size_t index : ImagesByPreference(group, width, height)) {
        if (budget.Expired()) {
            break;
        }
        std::optional<toolkit::ArgbPixels> drawn =
            DrawImage(group.images[index], width, height, budget);
        if (drawn) {
            return std::move(*drawn);
        }
    }
    return {};
}

toolkit::ArgbPixels Picture::Pixels(int width, int height) const {
    if (auto kept = ProcessDrawnPixels().Find(group_, width, height)) {
        return std::move(*kept);
    }
    DrawBudget budget;
    toolkit::ArgbPixels drawn = DrawGroup(Group(), width, height, budget);
    ProcessDrawnPixels().Keep(group_, drawn);
    return drawn;
}

}  // namespace platform::picture
