#include "platform/picture/qt/PictureRendering.h"

#include <cstring>

#include "platform/picture/ImagePreference.h"
#include "platform/picture/qt/IconImageDecoder.h"

namespace platform::picture {

namespace qt {

QImage Render(const Picture& picture, int width, int height) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    const icons::IconGroup& group = picture.Group();
    for (std::size_t index : ImagesByPreference(group, width, height)) {
        const QImage decoded = DecodeIconImage(group.images[index]);
        if (!decoded.isNull()) {
            return decoded.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        }
    }
    return {};
}

}  // namespace qt

toolkit::ArgbPixels Picture::Pixels(int width, int height) const {
    const QImage image = qt::Render(*this, width, height);
    if (image.isNull()) {
        return {};
    }
    toolkit::ArgbPixels drawn{.width = image.width(), .height = image.height(), .pixels = {}};
    drawn.pixels.resize(static_cast<std::size_t>(drawn.width) * drawn.height);
    const std::size_t rowBytes = static_cast<std::size_t>(drawn.width) * sizeof(std::uint32_t);
    for (int y = 0; y < drawn.height; ++y) {
        std::memcpy(drawn.pixels.data() + static_cast<std::size_t>(y) * drawn.width,
                    image.constScanLine(y), rowBytes);
    }
    return drawn;
}

}  // namespace platform::picture
