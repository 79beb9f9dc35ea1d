#pragma once

#include <string>

// File names as `list` prints them for a terminal.
namespace tool {

// The name as it is when it holds no control character; otherwise quoted as GNU ls's
// shell-escape style quotes it, so that the terminal shows it without obeying it and a shell
// reads it back as the same bytes: the name in single quotes, each run of control characters
// (C0, DEL, C1, in UTF-8 or as lone bytes 0x80 to 0x9F) written apart as $'...' with C escapes
// (\t, \n, ...) or three octal digits, and a single quote as '\''. "a\033b.exe" gives
// 'a'$'\033''b.exe'. Other bytes that are not UTF-8 (a Latin-1 name) are kept as they are.
std::string TerminalName(const std::string& name);

}  // namespace tool
