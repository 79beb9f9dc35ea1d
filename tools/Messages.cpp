#include "tools/Messages.h"

#include <string_view>

namespace tool {

std::string Format(const char* text, std::initializer_list<std::string> values) {
    const std::string_view pattern(text);
    std::string result;
    auto value = values.begin();
    for (std::size_t at = 0; at < pattern.size();) {
        const std::size_t mark = pattern.find("%s", at);
        result += pattern.substr(at, mark == std::string_view::npos ? mark : mark - at);
        if (mark == std::string_view::npos) {
            break;
        }
        result += value != values.end() ? *value++ : std::string();
        at = mark + 2;
    }
    return result;
}

}  // namespace tool
