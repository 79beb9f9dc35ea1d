#include "platform/toolkit/NamePattern.h"

#include <fnmatch.h>

#include <algorithm>

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
    return std::any_of(parts_.begin(), parts_.end(), [&name](const std::string& part) {
        return ::fnmatch(part.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
    });
}

}  // namespace toolkit
