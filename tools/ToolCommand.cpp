#include "tools/ToolCommand.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace tool {

const std::string_view kHelp =
    "usage: quorvane-icons list [--json] FILE...\n"
    "       quorvane-icons extract FILE... [-o DIR] [--index N]... [--png SIZE[,SIZE...]]\n"
    "                              [--size N]... [--depth D]\n"
    "       quorvane-icons extract --hicolor DIR [--name NAME] [--index N] FILE...\n"
    "       quorvane-icons save FILE INDEX OUT [--png SIZE[,SIZE...]] [--size N]... [--depth D]\n"
    "       quorvane-icons pack OUT.ico IMAGE.png... [--dib]\n"
    "       quorvane-icons thumbnail -s SIZE INPUT OUTPUT.png\n"
    "       quorvane-icons --help\n"
    "\n"
    "list       each file's icons with their images; for a file without icons, why.\n"
    "           --json: one JSON object per line and file (path, icons with index, id or name,\n"
    "           language, images with width, height, depth, format, bytes).\n"
    "extract    writes every icon of every file (or those --index names) into DIR (default .)\n"
    "           as STEM-NNN-ID.ico, e.g. shell32-003-ID16.ico; --png SIZE writes a PNG of the\n"
    "           icon's best image for SIZE x SIZE pixels instead (STEM-NNN-ID.png), several\n"
    "           sizes one PNG each (STEM-NNN-ID-SIZE.png). A stem an earlier file of the same\n"
    "           run had becomes STEM~2, STEM~3...\n"
    "           --size N (repeatable), --depth D: only the images N x N, of D bits per pixel, as\n"
    "           their own headers say; a group with none writes nothing (counted at the end).\n"
    "           --hicolor DIR: the first icon (or --index N) of each file as DIR/SIZExSIZE/apps/\n"
    "           STEM.png (or NAME.png) for each square size from 16 to 256 its images have.\n"
    "save       writes icon INDEX of FILE to OUT, as .ico (or as a PNG with --png SIZE; several\n"
    "           sizes: OUT with -SIZE before its extension); --size and --depth as for extract.\n"
    "pack       builds OUT.ico from PNG images of at most 256 x 256, each stored as it is, the\n"
    "           smallest first; --dib stores those under 256 as 32-bpp DIBs for old readers.\n"
    "thumbnail  writes a SIZE x SIZE PNG of the file's first icon to OUTPUT (for file managers).\n"
    "Icons are numbered from 0 in the order the file stores them. Files are written atomically.\n"
    "\n"
    "exit status: 0 all done; 1 some files failed (each reported on standard error, the others\n"
    "still processed; thumbnail: no icon, no output; nothing at all matched --size or --depth);\n"
    "2 bad command line.\n";

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
            } else if (!allowed_.contains(word) || !Option(word, arguments, i)) {
                return false;
            }
        }
        return true;
    }

private:
    bool Option(const std::string& word, const std::vector<std::string>& arguments,
                std::size_t& i) {
        if (word == "--json" || word == "--dib") {
            (word == "--json" ? command_.json : command_.dib) = true;
            return true;
        }
        if (i + 1 >= arguments.size()) {
            return false;
        }
        const std::string& value = arguments[++i];
        if (word == "-o") {
            command_.outputDirectory = value;
            return !value.empty();
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

std::optional<ToolCommand> WithOperands(ToolCommand command, std::vector<std::string> operands) {
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
            break;
    }
    return std::nullopt;
}

}  // namespace

std::optional<ToolCommand> ParseCommand(const std::vector<std::string>& arguments) {
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        return ToolCommand{};
    }
    ToolCommand command;
    std::set<std::string_view> allowed;
    // Both branches a view: `?:` over "" and a std::string would make a temporary string.
    const std::string_view word =
        arguments.empty() ? std::string_view() : std::string_view(arguments[0]);
    if (word == "list") {
        command.kind = CommandKind::List;
        allowed = {"--json"};
    } else if (word == "extract") {
        command.kind = CommandKind::Extract;
        allowed = {"-o", "--index", "--png", "--size", "--depth", "--hicolor", "--name"};
    } else if (word == "save") {
        command.kind = CommandKind::Save;
        allowed = {"--png", "--size", "--depth"};
    } else if (word == "pack") {
        command.kind = CommandKind::Pack;
        allowed = {"--dib"};
    } else if (word == "thumbnail") {
        command.kind = CommandKind::Thumbnail;
        allowed = {"-s"};
    } else {
        return std::nullopt;
    }
    std::vector<std::string> operands;
    if (!Reader(command, std::move(allowed)).Read(arguments, operands)) {
        return std::nullopt;
    }
    return WithOperands(std::move(command), std::move(operands));
}

}  // namespace tool
