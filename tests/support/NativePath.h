#pragma once

#include <filesystem>
#include <string>

// Names as the program spells them, and the file system paths they stand for: the file system's
// own bytes on POSIX, UTF-8 on Windows.
namespace testsupport {

// The file system path a program path names.
inline std::filesystem::path NativePath(const std::string& path) {
#ifdef _WIN32
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
#else
    return std::filesystem::path(path);
#endif
}

// The program's spelling of a file system path.
inline std::string ProgramPath(const std::filesystem::path& path) {
#ifdef _WIN32
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
#else
    return path.string();
#endif
}

}  // namespace testsupport
