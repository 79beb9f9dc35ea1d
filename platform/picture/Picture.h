#pragma once

#include <cstddef>
#include <memory>

#include "platform/icons/IconService.h"

class QImage;

// The picture object: a shared picture that owns one icon handle.
namespace platform::picture {

class Picture {
public:
    // Takes over the icon handle; the picture destroys it when it goes.
    Picture(icons::HICON icon, std::shared_ptr<const icons::IconGroup> group);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    icons::HICON Handle() const { return icon_; }
    const icons::IconGroup& Group() const { return *group_; }

    // The image of the group that draws best at that size: the smallest image at least as large
    // as the target, among those the deepest colour; else the largest image.
    std::size_t BestImageFor(int width, int height) const;

    // The icon drawn at that size from its best image (ARGB32, premultiplied); a null image when
    // no image of the group decodes.
    QImage Render(int width, int height) const;

private:
    icons::HICON icon_;
    std::shared_ptr<const icons::IconGroup> group_;
};

// A counted reference to a picture, as the image controls, the window's icon array and the saving
// hold it. Empty means no picture.
using IPictureDisp = std::shared_ptr<const Picture>;

// Makes a picture that owns the icon handle (picture type icon, ownership taken). Empty when no
// picture can be made of the handle (it is not live); the handle is then left to the caller.
IPictureDisp OleCreatePictureIndirect(icons::HICON icon);

}  // namespace platform::picture
