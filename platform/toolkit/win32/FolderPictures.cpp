#include "platform/toolkit/win32/FolderPictures.h"

namespace toolkit::win32 {

namespace {

constexpr COLORREF kOutline = RGB(128, 128, 0);
constexpr COLORREF kBody = RGB(255, 255, 128);
constexpr COLORREF kInside = RGB(192, 192, 64);

void Polygon(HDC dc, const POINT* points, int count, COLORREF fill) {
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, kOutline);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    ::Polygon(dc, points, count);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

}  // namespace

void DrawFolder(HDC dc, POINT at, bool open) {
    const LONG x = at.x;
    const LONG y = at.y;
    // The back with its tab.
    const POINT back[] = {{x, y + 2},      {x + 1, y + 1},   {x + 5, y + 1}, {x + 6, y + 2},
                          {x + 14, y + 2}, {x + 14, y + 12}, {x, y + 12}};
    Polygon(dc, back, 7, open ? kInside : kBody);
    if (open) {
        // The front, tilted open.
        const POINT front[] = {{x, y + 12}, {x + 3, y + 6}, {x + 16, y + 6}, {x + 13, y + 12}};
        Polygon(dc, front, 4, kBody);
    }
}

}  // namespace toolkit::win32
