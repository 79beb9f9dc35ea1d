#pragma once

#include <optional>
#include <string>

// The program's texts are UTF-8; Windows' wide calls take and give UTF-16.
namespace toolkit::win32 {

// The UTF-16 spelling of UTF-8 text; std::nullopt when it is not valid UTF-8 or holds a NUL.
std::optional<std::wstring> WideOf(const std::string& text);

// The UTF-16 spelling of text to show (a caption, a message): invalid UTF-8 becomes U+FFFD.
std::wstring Wide(const std::string& text);

// The UTF-8 spelling of UTF-16 text; a lone surrogate becomes U+FFFD.
std::string Utf8Of(const std::wstring& text);

// Keeps the system's "no disk in drive" boxes away from the calling thread while it lives.
class QuietDriveErrors {
public:
    QuietDriveErrors();
    ~QuietDriveErrors();
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    unsigned long previous_ = 0;
    bool quiet_ = false;
};

}  // namespace toolkit::win32
