#include <windows.h>

#include <utility>

#include "platform/toolkit/win32/MessageLoop.h"
#include "platform/toolkit/win32/Peers.h"
#include "platform/toolkit/win32/WideText.h"
#include "tests/window/WindowProbe.h"

namespace window_probe {

namespace {

HWND FormWindow(const toolkit::Form& form) {
    return form.Peer().hwnd;
}

// The size of an icon's or a cursor's image (a monochrome one's mask holds two images).
SIZE ImageSize(HICON icon, POINT* hotSpot = nullptr) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return {0, 0};
    }
    BITMAP bitmap{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    const SIZE size{bitmap.bmWidth,
                    info.hbmColor != nullptr ? bitmap.bmHeight : bitmap.bmHeight / 2};
    if (hotSpot != nullptr) {
        *hotSpot = {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
    }
    for (HBITMAP owned : {info.hbmColor, info.hbmMask}) {
        if (owned != nullptr) {
            DeleteObject(owned);
        }
    }
    return size;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Rect& rect) {
    return out << "(" << rect.left << ", " << rect.top << ") " << rect.width << "x" << rect.height;
}

std::string Title(const toolkit::Form& form) {
    wchar_t text[256] = {};
    GetWindowTextW(FormWindow(form), text, 256);
    return toolkit::win32::Utf8Of(text);
}

Rect ClientArea(const toolkit::Form& form) {
    RECT client{};
    GetClientRect(FormWindow(form), &client);
    POINT origin{0, 0};
    ClientToScreen(FormWindow(form), &origin);
    return {origin.x, origin.y, client.right, client.bottom};
}

// No window manager second-guesses a Win32 window's position: where it is (ClientArea) is all
// there is to check.
bool PlacedByProgram(const toolkit::Form&) {
    return true;
}

bool HasFixedSize(const toolkit::Form& form) {
    const LONG_PTR style = GetWindowLongPtrW(FormWindow(form), GWL_STYLE);
    return (style & (WS_THICKFRAME | WS_MAXIMIZEBOX)) == 0;
}

toolkit::Color Background(const toolkit::Form& form) {
    LOGBRUSH brush{};
    HBRUSH background = form.Peer().background;
    const COLORREF color = background != nullptr && GetObjectW(background, sizeof brush, &brush)
                               ? brush.lbColor
                               : GetSysColor(COLOR_BTNFACE);
    return {GetRValue(color), GetGValue(color), GetBValue(color)};
}

std::vector<int> IconSizes(const toolkit::Form& form) {
    std::vector<int> sizes;
    for (WPARAM which : {ICON_SMALL, ICON_BIG}) {
        auto icon = reinterpret_cast<HICON>(SendMessageW(FormWindow(form), WM_GETICON, which, 0));
        if (const SIZE size = ImageSize(icon); size.cx > 0 && size.cx == size.cy) {
            sizes.push_back(size.cx);
        }
    }
    return sizes;
}

Rect Geometry(const toolkit::Control& control) {
    HWND window = toolkit::win32::WindowOf(control);
    RECT box{};
    GetWindowRect(window, &box);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&box), 2);
    return {box.left, box.top, box.right - box.left, box.bottom - box.top};
}

bool IsShown(const toolkit::Control& control) {
    return IsWindowVisible(toolkit::win32::WindowOf(control));
}

bool IsEnabled(const toolkit::Control& control) {
    return IsWindowEnabled(toolkit::win32::WindowOf(control));
}

Font FontOf(const toolkit::Control& control) {
    auto font =
        reinterpret_cast<HFONT>(SendMessageW(toolkit::win32::WindowOf(control), WM_GETFONT, 0, 0));
    LOGFONTW logical{};
    if (font == nullptr || GetObjectW(font, sizeof logical, &logical) == 0) {
        return {};
    }
    HDC screen = GetDC(nullptr);
    const double points = -logical.lfHeight * 72.0 / GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return {toolkit::win32::Utf8Of(logical.lfFaceName),
            points,
            static_cast<int>(logical.lfWeight),
            logical.lfItalic != 0,
            logical.lfUnderline != 0,
            logical.lfStrikeOut != 0};
}

// The pointer the form sets when the mouse moves over the control.
Pointer PointerOf(const toolkit::Control& control) {
    HWND window = toolkit::win32::WindowOf(control);
    SendMessageW(GetParent(window), WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    HCURSOR shown = GetCursor();
    POINT hotSpot{0, 0};
    const SIZE size = ImageSize(shown, &hotSpot);
    return {shown != nullptr && shown == control.Peer().customCursor, hotSpot.x, hotSpot.y, size.cx,
            size.cy};
}

// Painted now, then copied from the window's device context.
std::vector<std::uint32_t> Pixels(const toolkit::Control& control) {
    HWND window = toolkit::win32::WindowOf(control);
    UpdateWindow(window);
    RECT client{};
    GetClientRect(window, &client);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC source = GetDC(window);
    HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<std::uint32_t> pixels;
    if (bitmap != nullptr) {
        HDC copy = CreateCompatibleDC(source);
        HGDIOBJ previous = SelectObject(copy, bitmap);
        BitBlt(copy, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* first = static_cast<const std::uint32_t*>(bits);
        pixels.assign(first, first + static_cast<std::size_t>(client.right) * client.bottom);
        SelectObject(copy, previous);
        DeleteDC(copy);
        DeleteObject(bitmap);
    }
    ReleaseDC(window, source);
    return pixels;
}

bool Activate(toolkit::Form& form) {
    SetForegroundWindow(FormWindow(form));
    return GetActiveWindow() == FormWindow(form);
}

bool HasFocus(const toolkit::Control& control) {
    return GetFocus() == toolkit::win32::WindowOf(control);
}

namespace {

std::function<void()> queued;

void CALLBACK RunQueued(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    std::exchange(queued, nullptr)();
}

}  // namespace

int RunEventLoop(toolkit::Form& form, std::function<void()> first) {
    queued = std::move(first);
    SetTimer(nullptr, 0, 0, RunQueued);
    return toolkit::win32::RunMessageLoop(form);
}

}  // namespace window_probe
