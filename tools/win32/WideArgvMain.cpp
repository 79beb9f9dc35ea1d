// quorvane-icons on Windows: the arguments come as UTF-16 and go on as UTF-8, so that a name
// outside the ANSI code page reaches the file calls intact; a console shows the tool's text as
// written.
#include <string>
#include <vector>

#include "platform/format/Utf16Text.h"
#include "tools/RunTool.h"
#include "tools/win32/ConsoleStreams.h"

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        // A lone surrogate becomes U+FFFD: the program's text is always UTF-8.
        arguments.push_back(platform::format::Utf8Of<wchar_t>(argv[i]));
    }
    const tool::win32::ConsoleStreams consoles;
    return tool::RunTool(arguments);
}
