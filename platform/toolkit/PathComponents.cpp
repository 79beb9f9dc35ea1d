#include "platform/toolkit/PathComponents.h"

#include <algorithm>

namespace toolkit::path_text {

std::vector<std::string> SplitComponents(const std::string& path, std::size_t start,
                                         bool (*isSeparator)(char)) {
    std::vector<std::string> components;
    while (start < path.size()) {
        std::size_t stop = start;
        while (stop < path.size() && !isSeparator(path[stop])) {
            ++stop;
        }
        if (stop > start) {
            components.push_back(path.substr(start, stop - start));
        }
        start = stop + 1;
    }
    return components;
}

std::string JoinComponents(const std::vector<std::string>& components, std::size_t count,
                           char separator) {
    std::string path;
    for (std::size_t i = 0; i < count && i < components.size(); ++i) {
        path += separator;
        path += components[i];
    }
    return path.empty() ? std::string(1, separator) : path;
}

std::vector<std::string> WithoutDots(std::vector<std::string> components) {
    std::erase(components, ".");
    return components;
}

}  // namespace toolkit::path_text
