// A file list's pattern, as the classic control has it: ";"-separated parts, each with "*" and
// "?" wildcards, compared ignoring case (ASCII letters; other bytes as they are).
#include "platform/toolkit/NamePattern.h"

#include <algorithm>
#include <cctype>

namespace toolkit {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trimmed(const std::string& text) {
    const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

bool SameLetter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}

// Wildcard matching with one backtrack point: linear in practice, never exponential.
bool WildcardMatches(const std::string& pattern, const std::string& name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = std::string::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || SameLetter(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace

NamePattern::NamePattern(const std::string& pattern) {
    std::size_t start = 0;
    while (start <= pattern.size()) {
        const std::size_t end = std::min(pattern.find(';', start), pattern.size());
        std::string part = Trimmed(pattern.substr(start, end - start));
        if (!part.empty()) {
            parts_.push_back(std::move(part));
        }
        start = end + 1;
    }
}

bool NamePattern::Matches(const std::string& name) const {
    if (parts_.empty()) {
        return true;
    }
    return std::any_of(parts_.begin(), parts_.end(),
                       [&name](const std::string& part) { return WildcardMatches(part, name); });
}

}  // namespace toolkit
