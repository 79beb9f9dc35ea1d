#pragma once

#include <cstddef>
#include <string>

// Text as JSON writes it.
namespace tool {

// The bytes as a JSON string literal, quotes included: `"` `\` and control characters escaped,
// valid UTF-8 kept, and each byte that is not part of valid UTF-8 (a file name in another
// encoding) written as U+FFFD.
std::string JsonString(const std::string& bytes);

// How many bytes the valid UTF-8 sequence starting at `at` takes (2 to 4; 1 is not counted: an
// ASCII byte gives 0 too, as does a byte that starts no valid sequence).
std::size_t Utf8Length(const std::string& bytes, std::size_t at);

// Whether the bytes are valid UTF-8 throughout (JsonString then keeps them exactly).
bool IsUtf8(const std::string& bytes);

// The bytes in base64 (RFC 4648, padded with "="): how the tool gives a name's exact bytes when
// they are not UTF-8.
std::string Base64(const std::string& bytes);

}  // namespace tool
