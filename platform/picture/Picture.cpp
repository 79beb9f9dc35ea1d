#include "platform/picture/Picture.h"

#include <utility>

#include <QImage>

#include "platform/picture/IconImageDecoder.h"
#include "platform/picture/ImagePreference.h"

namespace platform::picture {

Picture::Picture(icons::HICON icon, std::shared_ptr<const icons::IconGroup> group)
    : icon_(icon), group_(group ? std::move(group) : std::make_shared<const icons::IconGroup>()) {}

Picture::~Picture() {
    icons::DestroyIcon(icon_);
}

std::size_t Picture::BestImageFor(int width, int height) const {
    const std::vector<std::size_t> order = ImagesByPreference(*group_, width, height);
    return order.empty() ? 0 : order.front();
}

QImage Picture::Render(int width, int height) const {
    if (width <= 0 || height <= 0) {
        return {};
    }
    for (std::size_t index : ImagesByPreference(*group_, width, height)) {
        const QImage decoded = DecodeIconImage(group_->images[index]);
        if (!decoded.isNull()) {
            return decoded.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        }
    }
    return {};
}

IPictureDisp OleCreatePictureIndirect(icons::HICON icon) {
    std::shared_ptr<const icons::IconGroup> group = icons::IconGroupOf(icon);
    if (!group) {
        return {};
    }
    return std::make_shared<const Picture>(icon, std::move(group));
}

}  // namespace platform::picture
