#include "platform/toolkit/Line.h"

#include <algorithm>

#include "platform/toolkit/Twips.h"
#include "platform/toolkit/win32/PaintedWindow.h"
#include "platform/toolkit/win32/Peers.h"

namespace toolkit {

namespace {

// A one-pixel line along the window's box: horizontal and vertical lines fill it; any other is
// drawn from corner to corner.
void PaintLine(HWND window, bool falling) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    RECT box{};
    GetClientRect(window, &box);
    if (box.right <= 1 || box.bottom <= 1) {
        FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    } else {
        SelectObject(dc, GetStockObject(BLACK_PEN));
        MoveToEx(dc, 0, falling ? 0 : box.bottom - 1, nullptr);
        LineTo(dc, box.right - 1, falling ? box.bottom - 1 : 0);
    }
    EndPaint(window, &paint);
}

// The hook of a line's window: drawn as the line, transparent to the mouse.
std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> LineHook(HWND window, bool falling) {
    return [window, falling](UINT message, WPARAM, LPARAM, LRESULT& result) {
        switch (message) {
            case WM_NCHITTEST:
                result = HTTRANSPARENT;
                return true;
            case WM_ERASEBKGND:
                result = 1;
                return true;
            case WM_PAINT:
                PaintLine(window, falling);
                return true;
            default:
                return false;
        }
    };
}

}  // namespace

Line::Line(Form& owner)
    : Control(owner, std::make_unique<ControlPeer>(win32::PaintedWindowClass(), 0)) {
    Peer().message = LineHook(win32::WindowOf(*this), true);
}

void Line::SetEndpoints(int x1Twips, int y1Twips, int x2Twips, int y2Twips) {
    const POINT from{TwipsToPixels(x1Twips), TwipsToPixels(y1Twips)};
    const POINT to{TwipsToPixels(x2Twips), TwipsToPixels(y2Twips)};
    HWND window = win32::WindowOf(*this);
    Peer().message = LineHook(window, (from.x <= to.x) == (from.y <= to.y));
    MoveWindow(window, std::min(from.x, to.x), std::min(from.y, to.y),
               std::max(from.x, to.x) - std::min(from.x, to.x) + 1,
               std::max(from.y, to.y) - std::min(from.y, to.y) + 1, TRUE);
}

}  // namespace toolkit
