#pragma once

#include <memory>

#include "platform/toolkit/Control.h"
#include "platform/toolkit/Drawable.h"

namespace toolkit {

// An image control: holds a shared reference to a picture (never a copy) and draws it, scaled to
// the control when Stretch is on, at its natural size at the top-left corner otherwise. Any
// drawable is a picture to it; an empty picture draws nothing.
class Image : public Control {
public:
    explicit Image(Form& owner);
    ~Image() override;

    // The picture given to SetPicture, the same object.
    std::shared_ptr<const Drawable> Picture() const { return picture_; }
    void SetPicture(std::shared_ptr<const Drawable> picture);

    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);

    bool CanTakeFocus() const override { return false; }

private:
    std::shared_ptr<const Drawable> picture_;
    bool stretch_ = false;
};

}  // namespace toolkit
