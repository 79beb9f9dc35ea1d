#pragma once

#include <optional>
#include <string>

// The program's names are UTF-8; Windows' wide calls take UTF-16.
namespace platform::picture::win32 {

// The UTF-16 spelling of a UTF-8 name; std::nullopt when the text is not valid UTF-8 or holds a
// NUL. "" stays "".
std::optional<std::wstring> Utf16Of(const std::string& name);

}  // namespace platform::picture::win32
