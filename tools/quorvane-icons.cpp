// quorvane-icons: lists the icons of executables, writes them as .ico or PNG files, and draws
// thumbnails for file managers, through the same calls the window makes. `quorvane-icons --help`
// tells the commands and the exit status.

#include <iostream>
#include <string>
#include <vector>

#include "tools/ExtractCommand.h"
#include "tools/ListCommand.h"
#include "tools/ToolCommand.h"
#include "tools/ToolReport.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const auto command = tool::ParseCommand(arguments);
    if (!command) {
        std::cerr << tool::kHelp;
        return tool::kExitUsage;
    }
    switch (command->kind) {
        case tool::CommandKind::List:
            return tool::ListIcons(command->files, command->json);
        case tool::CommandKind::Extract:
            return tool::ExtractIcons(*command);
        case tool::CommandKind::Save:
            return tool::SaveIcon(*command);
        case tool::CommandKind::Thumbnail:
            return tool::WriteThumbnail(*command);
        case tool::CommandKind::Help:
            break;
    }
    std::cout << tool::kHelp;
    return tool::kExitOk;
}
