#include "platform/toolkit/win32/DriveCurrentDirectory.h"

#include <windows.h>

#include <vector>

#include "platform/toolkit/win32/WideText.h"

namespace toolkit::win32 {

namespace {

// Long paths ("\\?\") reach 32,767 characters at most.
constexpr DWORD kMaxPath = 32768;

bool IsDriveLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "c:\a\" as "c:\a"; a root keeps its separator.
std::string WithoutTrailingSeparator(std::wstring path) {
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) {
        path.pop_back();
    }
    return Utf8Of(path);
}

}  // namespace

std::string CurrentDirectoryOfDrive(const std::string& drive) {
    if (drive.size() < 2 || !IsDriveLetter(drive[0]) || drive[1] != ':') {
        return "";
    }
    const wchar_t relative[] = {static_cast<wchar_t>(drive[0]), L':', L'\0'};
    std::vector<wchar_t> full(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetFullPathNameW(relative, static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) {
            return "";
        }
        if (length < full.size()) {
            return WithoutTrailingSeparator(std::wstring(full.data(), length));
        }
        if (length > kMaxPath) {
            return "";
        }
        full.resize(length);
    }
}

}  // namespace toolkit::win32
