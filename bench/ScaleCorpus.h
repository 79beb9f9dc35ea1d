#pragma once

#include <cstddef>
#include <string>

// Generated inputs far larger than any real directory or file, to show how the scan and the load
// grow with their size.
namespace bench {

// Fills `directory` (which must exist) with `files` files matching the window's pattern, named
// f00000.dll, f00001.exe, f00002.ocx, ...: of every 1000, 900 small files that are not executables,
// 95 PE files with resources but no icon, and 5 PE files with 3 icons each.
void WriteScanDirectory(const std::string& directory, std::size_t files);

// Writes a PE32+ file with `icons` icon groups, each of a 16 px and a 32 px 8-bit image of its own
// (2 * icons RT_ICON resources; icons must be at most 32767).
void WriteManyIconFile(const std::string& path, std::size_t icons);

}  // namespace bench
