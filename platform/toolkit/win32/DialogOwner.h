#pragma once

#include <windows.h>

namespace toolkit::win32 {

// The window a modal dialog belongs to: the dialogs' owner form, else the active window.
HWND DialogOwnerWindow();

}  // namespace toolkit::win32
