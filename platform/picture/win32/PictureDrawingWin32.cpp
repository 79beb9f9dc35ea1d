#include <optional>

#include "platform/picture/ImagePreference.h"
#include "platform/picture/Picture.h"
#include "platform/picture/win32/IconDrawing.h"
#include "platform/picture/win32/PixelScaling.h"

// Pictures drawn by Windows: the best image that Windows makes an icon of, drawn at its own size
// and stretched to the box.
namespace platform::picture {

toolkit::ArgbPixels Picture::Pixels(int width, int height) const {
    if (width <= 0 || height <= 0) {
        return {};
    }
    for (std::size_t index : ImagesByPreference(Group(), width, height)) {
        const std::optional<toolkit::ArgbPixels> drawn =
            win32::DrawAtOwnSize(Group().images[index]);
        if (drawn) {
            return win32::Scaled(*drawn, width, height);
        }
    }
    return {};
}

}  // namespace platform::picture
