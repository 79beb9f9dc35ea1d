#pragma once

#include "platform/files/NativePath.h"

// Names as the program spells them, and the file system paths they stand for: the file system's
// own bytes on POSIX, UTF-8 on Windows (the program's own NativePath and ProgramText).
namespace testsupport {

using platform::files::NativePath;

// The program's spelling of a file system path.
inline std::string ProgramPath(const std::filesystem::path& path) {
    return platform::files::ProgramText(path);
}

}  // namespace testsupport
