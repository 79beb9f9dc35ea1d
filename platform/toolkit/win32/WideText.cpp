#include "platform/toolkit/win32/WideText.h"

#include <windows.h>

#include <climits>

namespace toolkit::win32 {

std::wstring Wide(const std::string& text) {
    if (text.empty() || text.size() > INT_MAX) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) {
        MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    }
    return wide;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty() || text.size() > INT_MAX / 4) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    }
    return bytes;
}

std::string Utf8(const wchar_t* text) {
    return text == nullptr ? std::string() : Utf8(std::wstring(text));
}

}  // namespace toolkit::win32
