#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// Files compiled into the program under the names the window uses for its resources
// (":/quorvane/quorvane.ico"). What shows a window links their table (app/'s resources).
namespace toolkit::win32 {

struct EmbeddedFile {
    std::string_view name;
    std::span<const std::uint8_t> bytes;
};

// Every compiled-in file; defined by the program that links them.
std::span<const EmbeddedFile> EmbeddedFiles();

}  // namespace toolkit::win32
