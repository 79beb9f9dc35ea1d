#include "platform/toolkit/win32/WideText.h"

#include <windows.h>

#include <climits>

namespace toolkit::win32 {

std::optional<std::wstring> WideOf(const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    if (text.size() > static_cast<std::size_t>(INT_MAX) || text.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    const int length = static_cast<int>(text.size());
    const int wideLength =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (wideLength <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    if (::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(),
                              wideLength) != wideLength) {
        return std::nullopt;
    }
    return wide;
}

std::wstring Wide(const std::string& text) {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) {
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    }
    return wide;
}

std::string Utf8Of(const std::wstring& text) {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX / 3)) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int utf8Length =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (utf8Length <= 0) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(utf8Length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), utf8Length, nullptr,
                          nullptr);
    return utf8;
}

QuietDriveErrors::QuietDriveErrors() {
    DWORD previous = 0;
    quiet_ = ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous) != 0;
    previous_ = previous;
}

QuietDriveErrors::~QuietDriveErrors() {
    if (quiet_) {
        ::SetThreadErrorMode(previous_, nullptr);
    }
}

}  // namespace toolkit::win32
