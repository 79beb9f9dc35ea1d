#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The components of path text, whatever a platform's separators: what each platform's PathText
// splits and joins its paths with.
namespace toolkit::path_text {

// The non-empty runs of text between separators in `path`, from `start` on: "/a//b" -> {"a", "b"}.
std::vector<std::string> SplitComponents(const std::string& path, std::size_t start,
                                         bool (*isSeparator)(char));

// The first `count` components, each after one `separator`; the separator alone for none.
std::string JoinComponents(const std::vector<std::string>& components, std::size_t count,
                           char separator);

// The components with the "." ones left out.
std::vector<std::string> WithoutDots(std::vector<std::string> components);

}  // namespace toolkit::path_text
