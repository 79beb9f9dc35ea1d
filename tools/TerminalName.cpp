#include "tools/TerminalName.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "tools/JsonText.h"

namespace tool {

namespace {

// How many bytes of the name at `at` are one character to escape: a C0 control or DEL (1), a C1
// control in UTF-8 (2), a lone byte 0x80 to 0x9F (1: a C1 control to a terminal in an 8-bit
// encoding); 0 for anything else, other bytes that are not UTF-8 included (kept as they are).
std::size_t EscapedLength(const std::string& name, std::size_t at) {
    const auto byte = static_cast<std::uint8_t>(name[at]);
    if (byte < 0x20 || byte == 0x7F) {
        return 1;
    }
    if (byte < 0x80) {
        return 0;
    }
    const std::size_t length = Utf8Length(name, at);
    const bool c1 = length == 2 && byte == 0xC2 && static_cast<std::uint8_t>(name[at + 1]) < 0xA0;
    return length == 0 ? (byte < 0xA0 ? 1 : 0) : c1 ? 2 : 0;
}

// The length of the printable character at `at` (1 for ASCII).
std::size_t PrintableLength(const std::string& name, std::size_t at) {
    const std::size_t length = Utf8Length(name, at);
    return length == 0 ? 1 : length;
}

std::string Escaped(std::uint8_t byte) {
    constexpr std::string_view kControls = "\a\b\t\n\v\f\r";
    constexpr std::string_view kLetters = "abtnvfr";
    if (const std::size_t at = kControls.find(static_cast<char>(byte));
        byte != 0 && at != std::string_view::npos) {
        return {'\\', kLetters[at]};
    }
    char octal[8];
    std::snprintf(octal, sizeof octal, "\\%03o", static_cast<unsigned>(byte));
    return octal;
}

bool NeedsQuoting(const std::string& name) {
    for (std::size_t i = 0; i < name.size();) {
        if (EscapedLength(name, i) != 0) {
            return true;
        }
        i += PrintableLength(name, i);
    }
    return false;
}

}  // namespace

std::string TerminalName(const std::string& name) {
    if (!NeedsQuoting(name)) {
        return name;
    }
    std::string out = "'";
    bool quoted = true;  // inside '...'; false inside $'...'
    for (std::size_t i = 0; i < name.size();) {
        if (const std::size_t escaped = EscapedLength(name, i); escaped != 0) {
            out += quoted ? "'$'" : "";
            quoted = false;
            for (std::size_t k = 0; k < escaped; ++k) {
                out += Escaped(static_cast<std::uint8_t>(name[i + k]));
            }
            i += escaped;
            continue;
        }
        out += quoted ? "" : "''";
        quoted = true;
        const std::size_t length = PrintableLength(name, i);
        if (name[i] == '\'') {
            out += "'\\''";
        } else {
            out.append(name, i, length);
        }
        i += length;
    }
    out += "'";
    return out;
}

}  // namespace tool
