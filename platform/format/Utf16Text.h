#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// UTF-8 and UTF-16, the program's text and the one Windows' wide calls take: conversions written
// once for every Windows-facing module, portable (and so tested on every build). `Unit` is the
// 16-bit code unit of the caller: wchar_t on Windows, char16_t elsewhere.
namespace platform::format {

namespace utf16_detail {

constexpr char32_t kReplacement = 0xFFFD;

// The code point of the UTF-8 sequence at `at` and the bytes it takes; nothing for a sequence that
// is not UTF-8 (a stray byte, overlong, a surrogate, past U+10FFFF, cut short).
struct Decoded {
    char32_t codePoint;
    std::size_t length;
};
inline std::optional<Decoded> DecodeAt(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[at + i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80) {
        return Decoded{lead, 1};
    }
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > text.size()) {
        return std::nullopt;
    }
    char32_t codePoint = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return std::nullopt;
        }
        codePoint = codePoint << 6 | (byte(i) & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallest[length] || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return std::nullopt;
    }
    return Decoded{codePoint, length};
}

template <class Unit>
void AppendUtf16(std::basic_string<Unit>& out, char32_t codePoint) {
    if (codePoint < 0x10000) {
        out.push_back(static_cast<Unit>(codePoint));
        return;
    }
    codePoint -= 0x10000;
    out.push_back(static_cast<Unit>(0xD800 + (codePoint >> 10)));
    out.push_back(static_cast<Unit>(0xDC00 + (codePoint & 0x3FF)));
}

inline void AppendUtf8(std::string& out, char32_t codePoint) {
    const auto put = [&](unsigned value) { out.push_back(static_cast<char>(value)); };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0 | codePoint >> 6);
        put(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        put(0xE0 | codePoint >> 12);
        put(0x80 | (codePoint >> 6 & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    } else {
        put(0xF0 | codePoint >> 18);
        put(0x80 | (codePoint >> 12 & 0x3F));
        put(0x80 | (codePoint >> 6 & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    }
}

}  // namespace utf16_detail

// The UTF-16 spelling of UTF-8 text (a name handed to the system); nothing when the text is not
// UTF-8 or holds a NUL, so that a name never reaches the system altered. "" stays "".
template <class Unit>
std::optional<std::basic_string<Unit>> Utf16Of(std::string_view text) {
    std::basic_string<Unit> out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto decoded = utf16_detail::DecodeAt(text, at);
        if (!decoded || decoded->codePoint == 0) {
            return std::nullopt;
        }
        utf16_detail::AppendUtf16(out, decoded->codePoint);
        at += decoded->length;
    }
    return out;
}

// The UTF-16 spelling of text to show (a caption, a message): each byte that does not start UTF-8
// becomes U+FFFD.
template <class Unit>
std::basic_string<Unit> Utf16Shown(std::string_view text) {
    std::basic_string<Unit> out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto decoded = utf16_detail::DecodeAt(text, at);
        utf16_detail::AppendUtf16(out, decoded ? decoded->codePoint : utf16_detail::kReplacement);
        at += decoded ? decoded->length : 1;
    }
    return out;
}

// The UTF-8 spelling of UTF-16 text (a name the system gave); a lone surrogate becomes U+FFFD.
template <class Unit>
std::string Utf8Of(std::basic_string_view<Unit> text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char32_t unit = static_cast<std::uint16_t>(text[at]);
        char32_t codePoint = unit;
        if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < text.size()) {
            const char32_t next = static_cast<std::uint16_t>(text[at + 1]);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                codePoint = 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
                ++at;
            }
        }
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
            codePoint = utf16_detail::kReplacement;
        }
        utf16_detail::AppendUtf8(out, codePoint);
    }
    return out;
}

}  // namespace platform::format
