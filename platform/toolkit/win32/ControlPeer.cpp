#include "platform/toolkit/win32/Peers.h"

namespace toolkit {

namespace {

constexpr double kDefaultFontPoints = 8.25;
// The window property that leads from a control's window to its peer.
constexpr const wchar_t* kPeerProperty = L"QuorvaneControlPeer";

}  // namespace

ControlPeer::ControlPeer(const wchar_t* windowClass, DWORD style, DWORD extendedStyle)
    : windowClass_(windowClass), style_(style), extendedStyle_(extendedStyle) {}

ControlPeer::~ControlPeer() {
    if (hwnd != nullptr && IsWindow(hwnd)) {
        if (original_ != nullptr) {
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        }
        RemovePropW(hwnd, kPeerProperty);
        DestroyWindow(hwnd);
    }
    if (customCursor != nullptr) {
        DestroyCursor(customCursor);
    }
}

void ControlPeer::Create(HWND form) {
    hwnd = CreateWindowExW(extendedStyle_, windowClass_, L"",
                           style_ | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, form,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd == nullptr) {
        return;
    }
    SetPropW(hwnd, kPeerProperty, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclassed)));
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(win32::DefaultFont()), FALSE);
}

LRESULT CALLBACK ControlPeer::Subclassed(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlPeer* peer = win32::PeerOf(hwnd);
    if (peer == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    const WNDPROC original = peer->original_;
    if (peer->message) {
        LRESULT result = 0;
        try {
            if (peer->message(message, wParam, lParam, result)) {
                return result;
            }
        } catch (...) {
            // Nothing leaves a window procedure.
            return 0;
        }
    }
    return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

namespace win32 {

ControlPeer* PeerOf(HWND control) {
    if (control == nullptr || !IsWindow(control)) {
        return nullptr;
    }
    return static_cast<ControlPeer*>(GetPropW(control, kPeerProperty));
}

HFONT DefaultFont() {
    static const HFONT font = [] {
        HDC screen = GetDC(nullptr);
        const int height = -MulDiv(static_cast<int>(kDefaultFontPoints * 4),
                                   GetDeviceCaps(screen, LOGPIXELSY), 72 * 4);
        ReleaseDC(nullptr, screen);
        return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
    }();
    return font;
}

}  // namespace win32

}  // namespace toolkit
