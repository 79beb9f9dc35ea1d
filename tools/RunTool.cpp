// quorvane-icons: lists the icons of executables, writes them as .ico or PNG files, and draws
// thumbnails for file managers, through the same calls the window makes. `quorvane-icons --help`
// tells the commands and the exit status.
#include "tools/RunTool.h"

#include <exception>
#include <iostream>

#include "platform/runtime/RuntimeError.h"
#include "tools/ExtractCommand.h"
#include "tools/ListCommand.h"
#include "tools/Messages.h"
#include "tools/PackCommand.h"
#include "tools/ToolCommand.h"
#include "tools/ToolReport.h"

namespace tool {

namespace {

int RunCommand(const std::vector<std::string>& arguments) {
    const auto command = ParseCommand(arguments);
    if (!command) {
        std::cerr << HelpText();
        return kExitUsage;
    }
    if (command->help) {
        std::cout << HelpText(command->kind);
        return kExitOk;
    }
    switch (command->kind) {
        case CommandKind::List:
            return ListIcons(*command);
        case CommandKind::Extract:
            return ExtractIcons(*command);
        case CommandKind::Save:
            return SaveIcon(*command);
        case CommandKind::Thumbnail:
            return WriteThumbnail(*command);
        case CommandKind::Version:
            std::cout << VersionText();
            return kExitOk;
        case CommandKind::Pack:
            return PackIcons(*command);
        case CommandKind::Help:
            break;
    }
    std::cout << HelpText();
    return kExitOk;
}

}  // namespace

int RunTool(const std::vector<std::string>& arguments) {
    ChooseLanguage();
    try {
        return RunCommand(arguments);
    } catch (const runtime::RuntimeError& error) {
        // In words, as every report of the tool: not the run-time error's number or description.
        ReportError(_("internal error"), error.Number());
        return kExitFailure;
    } catch (const std::exception& error) {
        // Whatever escaped the commands ends the run with a message, never with an abort.
        ReportReason(_("internal error"), error.what());
        return kExitFailure;
    }
}

}  // namespace tool
