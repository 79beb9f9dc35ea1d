#pragma once

#include <filesystem>
#include <string>

// The program's names (the file system's own bytes on POSIX, UTF-8 on Windows) as paths of the
// filesystem library, and back.
namespace platform::files {

// A name as a path that keeps its bytes: never decoded through the locale on POSIX, taken as
// UTF-8 on Windows.
inline std::filesystem::path NativePath(const std::string& name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

// A path as the program names it (NativePath's inverse).
inline std::string ProgramText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace platform::files
