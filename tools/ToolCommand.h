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

enum class CommandKind { Help, Version, List, Extract, Save, Thumbnail, Pack };

// The largest colour depth --depth takes, in bits per pixel.
inline constexpr int kMaxDepth = 64;

struct ToolCommand {
    CommandKind kind = CommandKind::Help;
    std::vector<std::string> files;     // the files to read (save and thumbnail: one)
    std::vector<std::int32_t> indexes;  // extract --index, save's INDEX; empty: every icon
    std::string outputDirectory = ".";  // extract -o
    std::string output;                 // save's OUT, thumbnail's OUTPUT
    std::optional<int> pngSide;         // --png SIZE, thumbnail's -s SIZE: write a PNG that large
    bool json = false;                  // list --json, extract --json
    bool sandbox = false;               // list --sandbox; thumbnail is always confined
    bool verbose = false;               // --verbose: what the confinement applies, on stderr
    bool help = false;                  // COMMAND --help: that command's usage, nothing done
    // list and extract: how the directories among `files` are walked, and by how many threads
    // the files are read.
    bool recursive = false;              // -r: their subdirectories too
    std::optional<std::string> pattern;  // --pattern: which of their files (else the default)
    unsigned jobs = 0;                   // --jobs N; 0: one per core
    // What list, extract and save read: icon groups, or with --cursors cursor groups, with
    // --animated animated resources.
    const platform::format::ResourceKind* resourceKind = &platform::format::kIconResources;
    std::vector<int> pngSides;     // --png SIZE,SIZE...: every size, once each (pngSide: first)
    std::vector<int> sizes;        // --size N, repeatable: only the images N x N
    std::optional<int> depth;      // --depth D: only the images of D bits per pixel
    std::string hicolorDirectory;  // extract --hicolor DIR: a hicolor icon set there
    std::string name;              // extract --hicolor --name NAME, instead of the stem
    bool dib = false;              // pack --dib: images under 256 pixels stored as DIBs
};

// The most --jobs takes.
inline constexpr unsigned kMaxJobs = 64;

// The text `quorvane-icons --help` prints, which the usage errors print too (in the user's
// language); for a command, the text `quorvane-icons COMMAND --help` prints: its usage and
// options.
std::string HelpText(CommandKind kind = CommandKind::Help);

// "quorvane-icons 1.0.0": what --version prints, the project's version.
std::string VersionText();

// The command the arguments (without the program name) ask for; nullopt when they are not a
// command line the tool takes (--help or -h after a command word asks for that command's help,
// whatever else is given; --version alone for the version): an unknown command or option, a missing
// or extra operand, an index that is not a number from 0 up, a size that is not a number from 1 to
// kMaxPictureSide, a job count that is not a number from 1 to kMaxJobs, a depth that is not one
// from 1 to kMaxDepth; --hicolor with -o or --png, --name without --hicolor or with more than one
// file.
std::optional<ToolCommand> ParseCommand(const std::vector<std::string>& arguments);

}  // namespace tool
