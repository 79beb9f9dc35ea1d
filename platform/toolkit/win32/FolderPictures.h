#pragma once

#include <windows.h>

namespace toolkit::win32 {

// Draws a small folder, open or closed, with its top-left corner at that point (16 x 13 pixels).
void DrawFolder(HDC dc, POINT at, bool open);

}  // namespace toolkit::win32
