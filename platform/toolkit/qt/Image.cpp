#include "platform/toolkit/Image.h"

#include "platform/toolkit/qt/ImageWidget.h"
#include "platform/toolkit/qt/Peers.h"

namespace toolkit {

Image::Image(Form& owner) : Control(owner, std::make_unique<ControlPeer>(new ImageWidget)) {}

Image::~Image() = default;

void Image::SetPicture(std::shared_ptr<const Drawable> picture) {
    picture_ = picture;
    static_cast<ImageWidget&>(*qt::WidgetOf(*this)).SetPicture(std::move(picture));
}

void Image::SetStretch(bool stretch) {
    stretch_ = stretch;
    static_cast<ImageWidget&>(*qt::WidgetOf(*this)).SetStretch(stretch);
}

}  // namespace toolkit
