#include "platform/toolkit/win32/WideText.h"

#include <windows.h>

#include "platform/format/Utf16Text.h"

namespace toolkit::win32 {

std::optional<std::wstring> WideOf(const std::string& text) {
    return platform::format::Utf16Of<wchar_t>(text);
}

std::wstring Wide(const std::string& text) {
    return platform::format::Utf16Shown<wchar_t>(text);
}

std::string Utf8Of(const std::wstring& text) {
    return platform::format::Utf8Of<wchar_t>(text);
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
