#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/format/ResourceKinds.h"

// The command line of quorvane-icons, read into what it asks for.
namespace tool {

// The largest picture side --png and -s take, in pixels.
inline constexpr int kMaxPictureSide = 1024;

enum class CommandKind { Help, List, Extract, Save, Thumbnail };

struct ToolCommand {
    CommandKind kind = CommandKind::Help;
    std::vector<std::string> files;     // the files to read (save and thumbnail: one)
    std::vector<std::int32_t> indexes;  // extract --index, save's INDEX; empty: every icon
    std::string outputDirectory = ".";  // extract -o
    std::string output;                 // save's OUT, thumbnail's OUTPUT
    std::optional<int> pngSide;         // --png SIZE, thumbnail's -s SIZE: write a PNG that large
    bool json = false;                  // list --json
    // What list, extract and save read: icon groups, or with --cursors cursor groups, with
    // --animated animated resources.
    const platform::format::ResourceKind* resourceKind = &platform::format::kIconResources;
};

// The text --help prints, which the usage errors print too.
extern const std::string_view kHelp;

// The command the arguments (without the program name) ask for; nullopt when they are not a
// command line the tool takes: an unknown command or option, a missing or extra operand, an index
// that is not a number from 0 up, a size that is not a number from 1 to kMaxPictureSide.
std::optional<ToolCommand> ParseCommand(const std::vector<std::string>& arguments);

}  // namespace tool
