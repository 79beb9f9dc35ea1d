#pragma once

#include <cstddef>
#include <memory>

#include "platform/icons/IconService.h"
#include "platform/toolkit/Drawable.h"

// The picture object: a shared picture that owns one icon handle.
namespace platform::picture {

// The image controls draw it as a drawable; its images decode and scale the same on every build
// (PictureDrawing.h), and the toolkit only paints the pixels.
class Picture : public toolkit::Drawable {
public:
    // Takes over the icon handle; the picture destroys it when it goes.
    Picture(icons::HICON icon, std::shared_ptr<const icons::IconGroup> group);
    ~Picture() override;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    icons::HICON Handle() const { return icon_; }
    const icons::IconGroup& Group() const { return *group_; }

    // The image of the group that draws best at that size: the smallest image at least as large
    // as the target, among those the deepest colour; else the largest image.
    std::size_t BestImageFor(int width, int height) const;

    // The icon drawn at that size from the first image in order of preference that decodes
    // (DrawGroup), within one draw's time budget; no pixels when none does.
    toolkit::ArgbPixels Pixels(int width, int height) const override;

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

// The picture a drawable is (an image control gives its picture back as a drawable); empty when it
// is empty or no picture.
IPictureDisp AsPicture(const std::shared_ptr<const toolkit::Drawable>& drawable);

}  // namespace platform::picture
