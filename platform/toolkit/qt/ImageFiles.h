#pragma once

#include <QCursor>
#include <QIcon>
#include <string>

// Cursor and icon files (.cur, .ico) read from the Qt resources (":/...") or the file system.
namespace toolkit {

// The cursor of a .cur file: its first image, with the hot spot its directory entry gives. A file
// that cannot be opened raises 53, one that is no cursor 481.
QCursor ReadCursorFile(const std::string& file);

// An icon with every image of an .ico file. A file that cannot be opened raises 53, one with no
// image that decodes 481.
QIcon ReadIconFile(const std::string& file);

}  // namespace toolkit
