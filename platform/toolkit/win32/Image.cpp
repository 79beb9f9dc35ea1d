#include "platform/toolkit/Image.h"

#include <cstring>

#include "platform/toolkit/win32/PaintedWindow.h"
#include "platform/toolkit/win32/Peers.h"

namespace toolkit {

namespace {

// The size a picture shows at without Stretch.
constexpr int kNaturalSize = 32;

// What a picture gave for the last size it was drawn at.
struct DrawnPicture {
    std::shared_ptr<const Drawable> picture;
    SIZE size{0, 0};
    ArgbPixels pixels;
};

bool Fits(const ArgbPixels& drawn) {
    return drawn.width > 0 && drawn.height > 0 &&
           drawn.pixels.size() == static_cast<std::size_t>(drawn.width) * drawn.height;
}

// Blends the premultiplied pixels over what the DC holds, stretched into the target.
void Blend(HDC dc, const ArgbPixels& drawn, SIZE target) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = drawn.width;
    info.bmiHeader.biHeight = -drawn.height;  // top-down, like the pixels
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) {
        return;
    }
    std::memcpy(bits, drawn.pixels.data(), drawn.pixels.size() * sizeof(std::uint32_t));
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, bitmap);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, 0, 0, target.cx, target.cy, source, 0, 0, drawn.width, drawn.height, blend);
    SelectObject(source, previous);
    DeleteDC(source);
    DeleteObject(bitmap);
}

}  // namespace

Image::Image(Form& owner)
    : Control(owner, std::make_unique<ControlPeer>(win32::PaintedWindowClass(), 0)) {
    HWND window = win32::WindowOf(*this);
    auto drawn = std::make_shared<DrawnPicture>();
    Peer().message = [this, window, drawn](UINT message, WPARAM, LPARAM, LRESULT& result) {
        if (message == WM_ERASEBKGND) {
            result = 1;
            return true;
        }
        if (message != WM_PAINT) {
            return false;
        }
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        RECT client{};
        GetClientRect(window, &client);
        FillRect(dc, &client, win32::FormBackground(window));
        const SIZE target =
            stretch_ ? SIZE{client.right, client.bottom} : SIZE{kNaturalSize, kNaturalSize};
        if (picture_ && target.cx > 0 && target.cy > 0) {
            if (drawn->picture != picture_ || drawn->size.cx != target.cx ||
                drawn->size.cy != target.cy) {
                *drawn = {picture_, target, picture_->Pixels(target.cx, target.cy)};
            }
            if (Fits(drawn->pixels)) {
                Blend(dc, drawn->pixels, target);
            }
        }
        EndPaint(window, &paint);
        return true;
    };
}

Image::~Image() = default;

void Image::SetPicture(std::shared_ptr<const Drawable> picture) {
    picture_ = std::move(picture);
    InvalidateRect(win32::WindowOf(*this), nullptr, TRUE);
}

void Image::SetStretch(bool stretch) {
    stretch_ = stretch;
    InvalidateRect(win32::WindowOf(*this), nullptr, TRUE);
}

}  // namespace toolkit
