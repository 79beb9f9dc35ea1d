// Path text on Windows: "\"-separated, each absolute path starting at a drive's root ("c:\").
#include "platform/toolkit/PathText.h"

#include <windows.h>

#include <cctype>

#include "platform/toolkit/PathComponents.h"
#include "platform/toolkit/win32/WideText.h"

namespace toolkit::path_text {

namespace {

constexpr char kSeparator = '\\';

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool HasDrive(const std::string& path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

// The drive of an absolute path, lower case: "c:".
std::string DriveOf(const std::string& path) {
    return {static_cast<char>(std::tolower(static_cast<unsigned char>(path[0]))), ':'};
}

char Folded(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

std::string WorkingDirectory() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring buffer(length + 1, L'\0');
    if (length == 0 || GetCurrentDirectoryW(length + 1, buffer.data()) == 0) {
        return "c:\\";
    }
    const std::string directory = win32::Utf8Of(buffer.c_str());
    return HasDrive(directory) ? Normalise(directory) : "c:\\";
}

std::vector<std::string> Components(const std::string& path) {
    return SplitComponents(path, HasDrive(path) ? 2 : 0, IsSeparator);
}

std::string Prefix(const std::vector<std::string>& components, std::size_t count) {
    return JoinComponents(components, count, kSeparator);
}

std::string Normalise(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    std::string absolute;
    if (HasDrive(path)) {
        absolute = path;  // "c:" and "c:x" are taken from the drive's root
    } else if (IsSeparator(path.front())) {
        absolute = WorkingDirectory().substr(0, 2) + path;
    } else {
        absolute = WorkingDirectory() + kSeparator + path;
    }
    const std::vector<std::string> kept = WithoutDots(Components(absolute));
    return DriveOf(absolute) + Prefix(kept, kept.size());
}

std::string LastComponent(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool HoldsPath(const std::string& root, const std::string& path) {
    if (path.size() < root.size()) {
        return false;
    }
    for (std::size_t i = 0; i < root.size(); ++i) {
        if (Folded(root[i]) != Folded(path[i])) {
            return false;
        }
    }
    return path.size() == root.size() || IsSeparator(root.back()) || IsSeparator(path[root.size()]);
}

}  // namespace toolkit::path_text
