#pragma once

#include <string>

// Each drive letter's current directory as the process keeps it.
namespace toolkit::win32 {

// The current directory of the drive whose text starts with its letter and colon ("c:",
// "c: [SISTEMA]"), as GetFullPathNameW gives it for "c:" (the drive's root "c:\" unless the
// process moved elsewhere on it), without a trailing separator except at the root; "" when the
// text names no drive.
std::string CurrentDirectoryOfDrive(const std::string& drive);

}  // namespace toolkit::win32
