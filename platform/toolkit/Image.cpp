#include "platform/toolkit/Image.h"

#include "platform/toolkit/ImageWidget.h"

namespace toolkit {

Image::Image(Form& owner) : Control(owner, new ImageWidget) {}

Image::~Image() = default;

void Image::SetPicture(std::shared_ptr<const Drawable> picture) {
    picture_ = picture;
    static_cast<ImageWidget&>(*Widget()).SetPicture(std::move(picture));
}

void Image::SetStretch(bool stretch) {
    stretch_ = stretch;
    static_cast<ImageWidget&>(*Widget()).SetStretch(stretch);
}

}  // namespace toolkit
