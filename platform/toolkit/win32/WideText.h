#pragma once

#include <string>

// Text at the Windows calls: UTF-8 inside the program, UTF-16 at every W function.
namespace toolkit::win32 {

// UTF-8 to UTF-16; invalid bytes become U+FFFD.
std::wstring Wide(const std::string& text);
// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf8(const std::wstring& text);
std::string Utf8(const wchar_t* text);

}  // namespace toolkit::win32
