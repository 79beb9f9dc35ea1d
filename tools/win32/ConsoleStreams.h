#pragma once

// The tool's text is UTF-8; a Windows console shows text in its own code page. While it lives,
// standard output and standard error that are consoles are written as UTF-16 (WriteConsoleW), so
// "proprietà" shows as written; redirected to a file or a pipe they keep the UTF-8 bytes.
namespace tool::win32 {

class ConsoleStreams {
public:
    ConsoleStreams();
    ~ConsoleStreams();
    ConsoleStreams(const ConsoleStreams&) = delete;
    ConsoleStreams& operator=(const ConsoleStreams&) = delete;
};

}  // namespace tool::win32
