#include "platform/picture/Picture.h"

#include <utility>

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

IPictureDisp OleCreatePictureIndirect(icons::HICON icon) {
    std::shared_ptr<const icons::IconGroup> group = icons::IconGroupOf(icon);
    if (!group) {
        return {};
    }
    return std::make_shared<const Picture>(icon, std::move(group));
}

IPictureDisp AsPicture(const std::shared_ptr<const toolkit::Drawable>& drawable) {
    return std::dynamic_pointer_cast<const Picture>(drawable);
}

}  // namespace platform::picture
