#include "tools/ToolCommand.h"

#include <charconv>
#include <set>

namespace tool {

const std::string_view kHelp =
    "usage: quorvane-icons list [--json] [--cursors|--animated] FILE...\n"
    "       quorvane-icons extract FILE... [-o DIR] [--index N]... [--png SIZE]\n"
    "                      [--cursors|--animated]\n"
    "       quorvane-icons save FILE INDEX OUT [--png SIZE] [--cursors|--animated]\n"
    "       quorvane-icons thumbnail -s SIZE INPUT OUTPUT.png\n"
    "       quorvane-icons --help\n"
    "\n"
    "list       each file's icons with their images; for a file without icons, why.\n"
    "           --json: one JSON object per line and file (path, icons with index, id or name,\n"
    "           language, images with width, height, depth, format, bytes).\n"
    "extract    writes every icon of every file (or those --index names) into DIR (default .)\n"
    "           as STEM-NNN-ID.ico, e.g. shell32-003-ID16.ico; --png SIZE writes a PNG of the\n"
    "           icon's best image for SIZE x SIZE pixels instead (STEM-NNN-ID.png). A stem\n"
    "           an earlier file of the same run had becomes STEM~2, STEM~3...\n"
    "save       writes icon INDEX of FILE to OUT, as .ico (or as a PNG with --png SIZE).\n"
    "thumbnail  writes a SIZE x SIZE PNG of the file's first icon to OUTPUT (for file managers).\n"
    "--cursors  list, extract and save read cursor groups instead (STEM-NNN-ID.cur);\n"
    "--animated animated cursors and icons (STEM-NNN-ID.ani, the resource byte for byte).\n"
    "           Neither takes --png.\n"
    "Icons are numbered from 0 in the order the file stores them. Files are written atomically.\n"
    "\n"
    "exit status: 0 all done; 1 some files failed (each reported on standard error, the others\n"
    "still processed; thumbnail: no icon, no output); 2 bad command line.\n";

namespace {

bool ParseNumber(std::string_view text, std::int32_t& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

bool ParseIndex(std::string_view text, std::int32_t& index) {
    return ParseNumber(text, index) && index >= 0;
}

bool ParseSide(std::string_view text, std::optional<int>& side) {
    std::int32_t value = 0;
    if (!ParseNumber(text, value) || value < 1 || value > kMaxPictureSide) {
        return false;
    }
    side = value;
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
        if (word == "--json") {
            command_.json = true;
            return true;
        }
        if (word == "--cursors" || word == "--animated") {
            const bool first = command_.resourceKind == &platform::format::kIconResources;
            command_.resourceKind = word == "--cursors" ? &platform::format::kCursorResources
                                                        : &platform::format::kAnimatedResources;
            return first && !command_.pngSide;
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
        const bool icons = command_.resourceKind == &platform::format::kIconResources;
        return ParseSide(value, command_.pngSide) && icons;  // --png or -s
    }

    ToolCommand& command_;
    std::set<std::string_view> allowed_;
};

std::optional<ToolCommand> WithOperands(ToolCommand command, std::vector<std::string> operands) {
    switch (command.kind) {
        case CommandKind::List:
        case CommandKind::Extract:
            command.files = std::move(operands);
            return command.files.empty() ? std::nullopt : std::optional(command);
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
        allowed = {"--json", "--cursors", "--animated"};
    } else if (word == "extract") {
        command.kind = CommandKind::Extract;
        allowed = {"-o", "--index", "--png", "--cursors", "--animated"};
    } else if (word == "save") {
        command.kind = CommandKind::Save;
        allowed = {"--png", "--cursors", "--animated"};
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
