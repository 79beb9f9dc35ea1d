#pragma once

#include "platform/picture/Picture.h"
#include "platform/toolkit/Control.h"

namespace toolkit {

using platform::picture::IPictureDisp;

// An image control: holds a shared reference to a picture (never a copy) and draws it, scaled to
// the control when Stretch is on, at its natural size at the top-left corner otherwise. An empty
// picture draws nothing.
class Image : public Control {
public:
    explicit Image(Form& owner);
    ~Image() override;

    IPictureDisp Picture() const { return picture_; }
    void SetPicture(IPictureDisp picture);

    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);

    bool CanTakeFocus() const override { return false; }

private:
    IPictureDisp picture_;
    bool stretch_ = false;
};

}  // namespace toolkit
