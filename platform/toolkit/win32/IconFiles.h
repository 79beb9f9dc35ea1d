#pragma once

#include <windows.h>

#include <string>

// Cursor and icon files (.cur, .ico) made into Windows cursors and icons.
namespace toolkit::win32 {

// The cursor of a .cur file: its first image, with the hot spot its directory entry gives. A file
// that cannot be opened raises 53, one that is no cursor 481. The caller owns the cursor.
HCURSOR ReadCursorFile(const std::string& file);

// The icon of an .ico file drawn best at that size. A file that cannot be opened raises 53, one
// with no image that Windows takes 481. The caller owns the icon.
HICON ReadIconFile(const std::string& file, int size);

}  // namespace toolkit::win32
