// The window class of the forms and its window procedure: it hands the controls' notifications
// and owner-drawn items back to them, paints the background and answers for the pointer.
#include <windows.h>

#include "platform/toolkit/MousePointers.h"
#include "platform/toolkit/Screen.h"
#include "platform/toolkit/win32/Peers.h"
#include "platform/toolkit/win32/PointerShapes.h"
#include "platform/toolkit/win32/RedrawDeferral.h"

namespace toolkit {

namespace {

constexpr const wchar_t* kFormClass = L"QuorvaneForm";

// The screen's pointer over everything while it is not the default, else the control's own.
bool SetPointer(HWND under) {
    if (Screen.MousePointer() != vbDefault) {
        HCURSOR stock = StockPointer(Screen.MousePointer());
        SetCursor(stock != nullptr ? stock : LoadCursorW(nullptr, IDC_ARROW));
        return true;
    }
    if (const ControlPeer* peer = win32::PeerOf(under); peer != nullptr && peer->pointer) {
        SetCursor(peer->pointer);
        return true;
    }
    return false;
}

LRESULT ColouredStatic(HWND form, HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    const FormPeer* peer = win32::FormPeerOf(form);
    return reinterpret_cast<LRESULT>(peer != nullptr && peer->background != nullptr
                                         ? peer->background
                                         : GetSysColorBrush(COLOR_BTNFACE));
}

bool EraseBackground(HWND form, HDC dc) {
    const FormPeer* peer = win32::FormPeerOf(form);
    if (peer == nullptr || peer->background == nullptr) {
        return false;
    }
    RECT client{};
    GetClientRect(form, &client);
    FillRect(dc, &client, peer->background);
    return true;
}

// The focus goes back to the control that had it when the window was deactivated (the first one
// when none had it), not to the form's own window as the default handling would put it.
bool Activated(HWND form, WPARAM state) {
    FormPeer* peer = win32::FormPeerOf(form);
    if (peer == nullptr) {
        return false;
    }
    if (LOWORD(state) == WA_INACTIVE) {
        HWND focus = GetFocus();
        peer->lastFocus = IsChild(form, focus) ? focus : nullptr;
        return false;
    }
    HWND focus = peer->lastFocus != nullptr && IsChild(form, peer->lastFocus) &&
                         IsWindowVisible(peer->lastFocus) && IsWindowEnabled(peer->lastFocus)
                     ? peer->lastFocus
                     : peer->firstFocus;
    if (HIWORD(state) != 0 || focus == nullptr || !IsWindowVisible(focus)) {
        return false;  // minimised, or no control to go to
    }
    SetFocus(focus);
    return true;
}

bool Handle(HWND form, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            if (ControlPeer* peer = win32::PeerOf(reinterpret_cast<HWND>(lParam));
                peer != nullptr && peer->notified) {
                peer->notified(HIWORD(wParam));
                return true;
            }
            return false;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (ControlPeer* peer = win32::PeerOf(item->hwndItem); peer && peer->drawItem) {
                peer->drawItem(*item);
                result = TRUE;
                return true;
            }
            return false;
        }
        case WM_CTLCOLORSTATIC:
            result = ColouredStatic(form, reinterpret_cast<HDC>(wParam));
            return true;
        case WM_ERASEBKGND:
            result = 1;
            return EraseBackground(form, reinterpret_cast<HDC>(wParam));
        case WM_SETCURSOR:
            result = TRUE;
            return LOWORD(lParam) == HTCLIENT && SetPointer(reinterpret_cast<HWND>(wParam));
        case WM_ACTIVATE:
            return Activated(form, wParam);
        case win32::kResumeRedrawMessage:
            if (ControlPeer* peer = win32::PeerOf(reinterpret_cast<HWND>(lParam))) {
                win32::ResumeRedraw(*peer);
            }
            return true;
        case WM_CLOSE:
            // Closing hides the window; the form and its controls stay.
            ShowWindow(form, SW_HIDE);
            return true;
        default:
            return false;
    }
}

LRESULT CALLBACK FormProcedure(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    try {
        if (Handle(form, message, wParam, lParam, result)) {
            return result;
        }
    } catch (...) {
        // Nothing leaves a window procedure; the handlers report their own errors.
        return 0;
    }
    return DefWindowProcW(form, message, wParam, lParam);
}

void RegisterFormClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = FormProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kFormClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

}  // namespace

FormPeer::FormPeer() {
    RegisterFormClass();
    // A fixed border: title, system menu, minimise and close boxes, no maximise box.
    hwnd = CreateWindowExW(
        0, kFormClass, L"",
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, CW_USEDEFAULT,
        CW_USEDEFAULT, 320, 240, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd != nullptr) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
}

FormPeer::~FormPeer() {
    if (hwnd != nullptr) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        DestroyWindow(hwnd);
    }
    for (HGDIOBJ owned : {static_cast<HGDIOBJ>(background)}) {
        if (owned != nullptr) {
            DeleteObject(owned);
        }
    }
    for (HICON icon : {bigIcon, smallIcon}) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

namespace win32 {

FormPeer* FormPeerOf(HWND form) {
    if (form == nullptr || !IsWindow(form)) {
        return nullptr;
    }
    wchar_t name[32] = {};
    if (GetClassNameW(form, name, 32) == 0 || lstrcmpW(name, kFormClass) != 0) {
        return nullptr;
    }
    return reinterpret_cast<FormPeer*>(GetWindowLongPtrW(form, GWLP_USERDATA));
}

}  // namespace win32

}  // namespace toolkit
