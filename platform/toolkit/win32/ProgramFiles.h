#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Cursor and icon files as the controls and forms take them: a compiled-in file (":/...") or a
// file system path.
namespace toolkit::win32 {

// The file's bytes, at most `limit` of them; nothing when it cannot be opened or is larger.
std::optional<std::vector<std::uint8_t>> ReadProgramFile(const std::string& name,
                                                         std::size_t limit);

}  // namespace toolkit::win32
