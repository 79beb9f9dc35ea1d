#pragma once

#include <windows.h>

namespace toolkit::win32 {

// A window class that draws nothing itself: the line and image controls paint it through their
// peer's message hook.
const wchar_t* PaintedWindowClass();

// The background of the form a control lies on (its window's parent).
HBRUSH FormBackground(HWND control);

}  // namespace toolkit::win32
