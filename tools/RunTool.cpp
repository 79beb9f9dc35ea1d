// quorvane-icons: lists the icons of executables, writes them as .ico or PNG files, and draws
// thumbnails for file managers, through the same calls the window makes. `quorvane-icons --help`
// tells the commands and the exit status.
#include "tools/RunTool.h"

#include <exception>
#include <iostream>

#include "tools/ExtractCommand.h"
#include "tools/ListCommand.h"
#include "tools/PackCommand.h"
#include "tools/ToolCommand.h"
#include "tools/ToolReport.h"

namespace tool {

namespace {

int RunCommand(const std::vector<std::string>& arguments) {
    const auto command = ParseCommand(arguments);
    if (!command) {
        std::cerr << kHelp;
        return kExitUsage;
    }
    switch (command->kind) {
        case CommandKind::List:
            return ListIcons(command->files, command->json);
        case CommandKind::Extract:
            return ExtractIcons(*command);
        case CommandKind::Save:
            return SaveIcon(*command);
        case CommandKind::Thumbnail:
            return WriteThumbnail(*command);
        case CommandKind::Pack:
            return PackIcons(*command);
        case CommandKind::Help:
            break;
    }
    std::cout << kHelp;
    return kExitOk;
}

}  // namespace

int RunTool(const std::vector<std::string>& arguments) {
    try {
        return RunCommand(arguments);
    } catch (const std::exception& error) {
        // Whatever escaped the commands ends the run with a message, never with an abort.
        ReportReason("errore interno", error.what());
        return kExitFailure;
    }
}

}  // namespace tool
