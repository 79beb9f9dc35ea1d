#include "tools/ToolCommand.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "tools/Messages.h"

namespace tool {

namespace {

bool ParseNumber(std::string_view text, std::int32_t& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

bool ParseIndex(std::string_view text, std::int32_t& index) {
    return ParseNumber(text, index) && index >= 0;
}

bool ParseInRange(std::string_view text, int top, int& value) {
    std::int32_t number = 0;
    if (!ParseNumber(text, number) || number < 1 || number > top) {
        return false;
    }
    value = number;
    return true;
}

bool ParseJobs(std::string_view text, unsigned& jobs) {
    int value = 0;
    if (!ParseInRange(text, static_cast<int>(kMaxJobs), value)) {
        return false;
    }
    jobs = static_cast<unsigned>(value);
    return true;
}

bool ParseSide(std::string_view text, std::optional<int>& side) {
    int value = 0;
    if (!ParseInRange(text, kMaxPictureSide, value)) {
        return false;
    }
    side = value;
    return true;
}

// "16,32,48": each size once, in the order given; the first is also `side`.
bool ParseSides(std::string_view text, std::vector<int>& sides, std::optional<int>& side) {
    sides.clear();
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        int value = 0;
        if (!ParseInRange(text.substr(start, comma - start), kMaxPictureSide, value)) {
            return false;
        }
        if (std::find(sides.begin(), sides.end(), value) == sides.end()) {
            sides.push_back(value);
        }
        start = comma + 1;
    }
    side = sides.front();
    return true;
}

// The options and operands after the command word, each option checked against those the command
// takes.
class Reader {
public:
    Reader(ToolCommand& command, std::set<std::string_view> allowed)
        : command_(command), allowed_(std::move(allowed)) {}

    bool Read(const std::vector<std::string>& arguments, std::vector<std::string>& operands) {
        bool optionsEnded = false;
        for (std::size_t i = 1; i < arguments.size(); ++i) {
            const std::string& word = arguments[i];
            if (optionsEnded || word.size() < 2 || word[0] != '-') {
                operands.push_back(word);
            } else if (word == "--") {
                optionsEnded = true;
            } else if (word == "--help" || word == "-h") {
                command_.help = true;
                return true;
            } else if (!allowed_.contains(word) || !Option(word, arguments, i)) {
                return false;
            }
        }
        return true;
    }

private:
    bool Option(const std::string& word, const std::vector<std::string>& arguments,
                std::size_t& i) {
        if (word == "--json" || word == "-r" || word == "--sandbox" || word == "--verbose" ||
            word == "--dib") {
            (word == "-r"          ? command_.recursive
             : word == "--json"    ? command_.json
             : word == "--sandbox" ? command_.sandbox
             : word == "--dib"     ? command_.dib
                                   : command_.verbose) = true;
            return true;
        }
        if (word == "--cursors" || word == "--animated") {
            const bool first = command_.resourceKind == &platform::format::kIconResources;
            command_.resourceKind = word == "--cursors" ? &platform::format::kCursorResources
                                                        : &platform::format::kAnimatedResources;
            return first;
        }
        if (i + 1 >= arguments.size()) {
            return false;
        }
        const std::string& value = arguments[++i];
        if (word == "-o") {
            command_.outputDirectory = value;
            return !value.empty();
        }
        if (word == "--pattern") {
            command_.pattern = value;
            return true;
        }
        if (word == "--jobs") {
            return ParseJobs(value, command_.jobs);
        }
        if (word == "--index") {
            std::int32_t index = 0;
            if (!ParseIndex(value, index)) {
                return false;
            }
            command_.indexes.push_back(index);
            return true;
        }
        return ImageOption(word, value);
    }

    // The options that choose images and how they are written.
    bool ImageOption(const std::string& word, const std::string& value) {
        if (word == "--png") {
            return ParseSides(value, command_.pngSides, command_.pngSide);
        }
        if (word == "--size") {
            int size = 0;
            if (!ParseInRange(value, kMaxPictureSide, size)) {
                return false;
            }
            command_.sizes.push_back(size);
            return true;
        }
        if (word == "--depth") {
            int depth = 0;
            if (!ParseInRange(value, kMaxDepth, depth)) {
                return false;
            }
            command_.depth = depth;
            return true;
        }
        if (word == "--hicolor" || word == "--name") {
            (word == "--hicolor" ? command_.hicolorDirectory : command_.name) = value;
            return !value.empty();
        }
        return ParseSide(value, command_.pngSide);  // -s
    }

    ToolCommand& command_;
    std::set<std::string_view> allowed_;
};

// Whether a --name can name a file in a directory: no separator, not "." or "..".
bool IsPlainName(const std::string& name) {
    return name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos;
}

// Whether extract's --hicolor and --name go with the rest: --hicolor with neither -o nor --png and
// at most one --index, --name (a plain name) only with --hicolor and one file.
bool HicolorFits(const ToolCommand& command) {
    if (command.hicolorDirectory.empty()) {
        return command.name.empty();
    }
    return command.outputDirectory == "." && !command.pngSide && command.indexes.size() <= 1 &&
           (command.name.empty() || (command.files.size() == 1 && IsPlainName(command.name)));
}

// Cursors and animated resources are written as they are: no image is chosen or drawn of them.
bool KindFits(const ToolCommand& command) {
    return command.resourceKind == &platform::format::kIconResources ||
           (!command.pngSide && command.hicolorDirectory.empty() && command.sizes.empty() &&
            !command.depth);
}

std::optional<ToolCommand> WithOperands(ToolCommand command, std::vector<std::string> operands) {
    if (!KindFits(command)) {
        return std::nullopt;
    }
    switch (command.kind) {
        case CommandKind::List:
        case CommandKind::Extract:
            command.files = std::move(operands);
            return command.files.empty() || !HicolorFits(command) ? std::nullopt
                                                                  : std::optional(command);
        case CommandKind::Pack:
            if (operands.size() < 2) {
                return std::nullopt;
            }
            command.output = operands[0];
            command.files.assign(operands.begin() + 1, operands.end());
            return command;
        case CommandKind::Save: {
            std::int32_t index = 0;
            if (operands.size() != 3 || !ParseIndex(operands[1], index)) {
                return std::nullopt;
            }
            command.files = {operands[0]};
            command.indexes = {index};
            command.output = operands[2];
            return command;
        }
        case CommandKind::Thumbnail:
            if (operands.size() != 2 || !command.pngSide) {
                return std::nullopt;
            }
            command.files = {operands[0]};
            command.output = operands[1];
            return command;
        case CommandKind::Help:
        case CommandKind::Version:
            break;
    }
    return std::nullopt;
}

// What each command word asks for: the command, the options it takes, its help (usage and
// options, for `COMMAND --help`).
struct CommandWord {
    std::string_view word;
    CommandKind kind;
    std::set<std::string_view> options;
    const char* help;
};

const CommandWord kCommands[] = {
    {"list",
     CommandKind::List,
     {"--json", "-r", "--pattern", "--jobs", "--sandbox", "--verbose", "--cursors", "--animated"},
     N_("usage: quorvane-icons list [--json] [-r] [--pattern P] [--jobs N] [--sandbox]\n"
        "                           [--verbose] [--cursors|--animated] FILE|DIR...\n"
        "\n"
        "Lists each file's icons with their images; for a file without icons, why.\n"
        "A directory stands for its files whose names match P, in name order.\n"
        "\n"
        "  --json       one JSON object per line and file (path, icons with index, id or name,\n"
        "               language, images with width, height, depth, format, bytes)\n"
        "  -r           the subdirectories' files too (at most 64 levels; links to\n"
        "               directories are not entered)\n"
        "  --pattern P  which files of a directory (ignoring case; by default\n"
        "               *.exe;*.dll;*.ocx;*.cpl;*.scr;*.icl;*.mun;*.ico)\n"
        "  --jobs N     N files read at once (default: one per core); the output is the same\n"
        "  --sandbox    confined as thumbnail is, once the files to read are known\n"
        "  --verbose    with --sandbox, what the confinement applies, on standard error\n"
        "  --cursors    the cursor groups instead, each image with its hotspot\n"
        "  --animated   the animated cursors and icons instead\n"
        "  -h, --help   this help\n")},
    {"extract",
     CommandKind::Extract,
     {"-o", "--index", "--png", "--json", "-r", "--pattern", "--jobs", "--cursors", "--animated",
      "--size", "--depth", "--hicolor", "--name"},
     N_("usage: quorvane-icons extract FILE|DIR... [-o OUT] [-r] [--pattern P] [--jobs N]\n"
        "                              [--index N]... [--png SIZE[,SIZE...]] [--size N]...\n"
        "                              [--depth D] [--json] [--cursors|--animated]\n"
        "       quorvane-icons extract --hicolor DIR [--name NAME] [--index N] FILE...\n"
        "\n"
        "Writes every icon of every file (or those --index names) into OUT as\n"
        "STEM-NNN-LABEL.ico, e.g. shell32-003-ID16.ico. A stem an earlier file of the same run\n"
        "had becomes STEM~2, STEM~3... A directory stands for its files whose names match P;\n"
        "the files of DIR/SUB go to OUT/SUB.\n"
        "\n"
        "  -o OUT       the directory to write into (default: the current one; made when missing)\n"
        "  -r           the subdirectories' files too (at most 64 levels; links to\n"
        "               directories are not entered)\n"
        "  --pattern P  which files of a directory (ignoring case; by default\n"
        "               *.exe;*.dll;*.ocx;*.cpl;*.scr;*.icl;*.mun;*.ico)\n"
        "  --jobs N     N files read at once (default: one per core); the output is the same\n"
        "  --index N    only icon N (from 0); may be given more than once\n"
        "  --png SIZE   a SIZE x SIZE PNG of each icon's best image instead (STEM-NNN-LABEL.png);\n"
        "               several sizes (16,32,48) one PNG each (STEM-NNN-LABEL-SIZE.png)\n"
        "  --size N     only the images N x N, as their own headers say (repeatable); a group\n"
        "               with none writes nothing and is counted at the end\n"
        "  --depth D    only the images of D bits per pixel\n"
        "  --hicolor DIR  the first icon (or --index N) of each file as DIR/SIZExSIZE/apps/\n"
        "               STEM.png for each square size from 16 to 256 its images have\n"
        "  --name NAME  with --hicolor and one file: NAME.png instead of STEM.png\n"
        "  --json       one JSON line per file written, in the order written (path, source,\n"
        "               index, label, format)\n"
        "  --cursors    the cursor groups instead, as STEM-NNN-LABEL.cur (not with --png)\n"
        "  --animated   the animated cursors and icons instead, as STEM-NNN-LABEL.ani, byte for\n"
        "               byte (not with --png)\n"
        "  -h, --help   this help\n")},
    {"save",
     CommandKind::Save,
     {"--png", "--cursors", "--animated", "--size", "--depth"},
     N_("usage: quorvane-icons save FILE INDEX OUT [--png SIZE[,SIZE...]] [--size N]... [--depth "
        "D]\n"
        "                           [--cursors|--animated]\n"
        "\n"
        "Writes icon INDEX (from 0) of FILE to OUT as .ico, the way the window saves it.\n"
        "\n"
        "  --png SIZE a SIZE x SIZE PNG of the icon's best image instead; several sizes: OUT\n"
        "             with -SIZE before its extension\n"
        "  --size N   only the images N x N, as their own headers say (repeatable)\n"
        "  --depth D  only the images of D bits per pixel\n"
        "  --cursors  cursor group INDEX instead, as .cur (not with --png)\n"
        "  --animated animated resource INDEX instead, as .ani byte for byte (not with --png)\n"
        "  -h, --help this help\n")},
    {"pack",
     CommandKind::Pack,
     {"--dib"},
     N_("usage: quorvane-icons pack OUT.ico IMAGE.png... [--dib]\n"
        "\n"
        "Builds OUT.ico from PNG images of at most 256 x 256, each stored as it is, the smallest\n"
        "first; a file that is not such a PNG is refused with the reason, and nothing is written.\n"
        "\n"
        "  --dib      the images under 256 pixels stored as 32-bpp DIBs, for old readers\n"
        "  -h, --help this help\n")},
    {"thumbnail",
     CommandKind::Thumbnail,
     {"-s", "--verbose"},
     N_("usage: quorvane-icons thumbnail [--verbose] -s SIZE INPUT OUTPUT.png\n"
        "\n"
        "Writes a SIZE x SIZE PNG of the first icon of INPUT to OUTPUT (for file managers); with\n"
        "no icon it writes nothing. It is confined: it may read INPUT (and its .mun) only and\n"
        "write beside OUTPUT only (a link at OUTPUT is replaced, not followed).\n"
        "\n"
        "  -s SIZE    the picture's side in pixels (1 to 1024)\n"
        "  --verbose  what the confinement applies, on standard error\n"
        "  -h, --help this help\n")},
};

const char* const kToolHelp = N_(
    "usage: quorvane-icons list [--json] [-r] [--pattern P] [--jobs N] [--sandbox] FILE|DIR...\n"
    "       quorvane-icons extract FILE|DIR... [-o OUT] [-r] [--pattern P] [--jobs N]\n"
    "                              [--index N]... [--png SIZE[,SIZE...]] [--size N]...\n"
    "                              [--depth D] [--json]\n"
    "       quorvane-icons extract --hicolor DIR [--name NAME] [--index N] FILE...\n"
    "       quorvane-icons save FILE INDEX OUT [--png SIZE[,SIZE...]] [--size N]... [--depth D]\n"
    "       (list, extract and save also take --cursors or --animated)\n"
    "       quorvane-icons pack OUT.ico IMAGE.png... [--dib]\n"
    "       quorvane-icons thumbnail [--verbose] -s SIZE INPUT OUTPUT.png\n"
    "       quorvane-icons COMMAND --help\n"
    "       quorvane-icons --help | --version\n"
    "\n"
    "list       each file's icons with their images; for a file without icons, why.\n"
    "extract    writes every icon of every file (or those --index names) into OUT (default .)\n"
    "           as STEM-NNN-ID.ico, e.g. shell32-003-ID16.ico, or PNGs with --png SIZE.\n"
    "           --size N, --depth D: only the images of that size and depth; --hicolor DIR: a\n"
    "           hicolor icon set of each file's first icon.\n"
    "A directory given to list or extract stands for its files (-r: its subdirectories' too).\n"
    "save       writes icon INDEX of FILE to OUT, as .ico (or as a PNG with --png SIZE).\n"
    "pack       builds OUT.ico from PNG images (--dib: those under 256 as DIBs).\n"
    "thumbnail  writes a SIZE x SIZE PNG of the file's first icon to OUTPUT (for file managers),\n"
    "           confined to reading INPUT and writing beside OUTPUT.\n"
    "Icons are numbered from 0 in the order the file stores them. Files are written atomically.\n"
    "`quorvane-icons COMMAND --help` tells a command's options.\n"
    "\n"
    "exit status: 0 all done; 1 some files failed (each reported on standard error, the others\n"
    "still processed; thumbnail: no icon, no output; nothing at all matched --size or --depth);\n"
    "2 bad command line.\n");

}  // namespace

std::string HelpText(CommandKind kind) {
    for (const CommandWord& command : kCommands) {
        if (command.kind == kind) {
            return _(command.help);
        }
    }
    return _(kToolHelp);
}

std::string VersionText() {
    return std::string("quorvane-icons ") + QUORVANE_TOOL_VERSION + "\n";
}

std::optional<ToolCommand> ParseCommand(const std::vector<std::string>& arguments) {
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        return ToolCommand{};
    }
    if (arguments.size() == 1 && arguments[0] == "--version") {
        ToolCommand version;
        version.kind = CommandKind::Version;
        return version;
    }
    const CommandWord* found = nullptr;
    for (const CommandWord& command : kCommands) {
        found = !arguments.empty() && arguments[0] == command.word ? &command : found;
    }
    if (found == nullptr) {
        return std::nullopt;
    }
    ToolCommand command;
    command.kind = found->kind;
    command.sandbox = found->kind == CommandKind::Thumbnail;  // thumbnail is always confined
    std::vector<std::string> operands;
    if (!Reader(command, found->options).Read(arguments, operands)) {
        return std::nullopt;
    }
    if (command.help) {
        return command;
    }
    return WithOperands(std::move(command), std::move(operands));
}

}  // namespace tool
