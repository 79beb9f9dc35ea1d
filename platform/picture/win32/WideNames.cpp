#include "platform/picture/win32/WideNames.h"

#include <windows.h>

#include <climits>

namespace platform::picture::win32 {

std::optional<std::wstring> Utf16Of(const std::string& name) {
    if (name.empty()) {
        return std::wstring();
    }
    if (name.size() > static_cast<std::size_t>(INT_MAX) || name.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    const int length = static_cast<int>(name.size());
    const int wideLength =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(), length, nullptr, 0);
    if (wideLength <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    if (::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(), length, wide.data(),
                              wideLength) != wideLength) {
        return std::nullopt;
    }
    return wide;
}

}  // namespace platform::picture::win32
