#pragma once

#include <string>

// Text as JSON writes it.
namespace tool {

// The bytes as a JSON string literal, quotes included: `"` `\` and control characters escaped,
// valid UTF-8 kept, and each byte that is not part of valid UTF-8 (a file name in another
// encoding) written as U+FFFD.
std::string JsonString(const std::string& bytes);

}  // namespace tool
