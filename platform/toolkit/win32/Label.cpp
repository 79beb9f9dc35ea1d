#include "platform/toolkit/Label.h"

#include <algorithm>
#include <cmath>

#include "platform/toolkit/win32/Peers.h"
#include "platform/toolkit/win32/WideText.h"

namespace toolkit {

namespace {

// The label's own font, kept as long as the window may use it.
struct LabelFont {
    HFONT font = nullptr;
    ~LabelFont() {
        if (font != nullptr) {
            DeleteObject(font);
        }
    }
};

HFONT MakeFont(const Font& font) {
    HDC screen = GetDC(nullptr);
    const int height =
        -static_cast<int>(std::lround(font.size * GetDeviceCaps(screen, LOGPIXELSY) / 72.0));
    ReleaseDC(nullptr, screen);
    return CreateFontW(height, 0, 0, 0, std::clamp(font.weight, 1, 1000), font.italic,
                       font.underline, font.strikethrough, static_cast<BYTE>(font.charset),
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, win32::Wide(font.name).c_str());
}

}  // namespace

Label::Label(Form& owner)
    : Control(owner, std::make_unique<ControlPeer>(L"STATIC", SS_LEFT | SS_NOPREFIX)) {}

std::string Label::Caption() const {
    return caption_;
}

void Label::SetCaption(const std::string& caption) {
    caption_ = caption;
    SetWindowTextW(win32::WindowOf(*this), win32::Wide(caption).c_str());
}

void Label::SetFont(const Font& font) {
    auto owned = std::make_shared<LabelFont>();
    owned->font = MakeFont(font);
    SendMessageW(win32::WindowOf(*this), WM_SETFONT, reinterpret_cast<WPARAM>(owned->font), TRUE);
    // The peer's hook holds the font for as long as the window lives.
    Peer().message = [owned](UINT, WPARAM, LPARAM, LRESULT&) { return false; };
}

}  // namespace toolkit
