#include "tools/win32/ConsoleStreams.h"

#include <windows.h>

#include <iostream>
#include <memory>
#include <streambuf>
#include <string>

#include "platform/format/Utf16Text.h"

namespace tool::win32 {

namespace {

// The bytes at the end of `text` that begin a UTF-8 sequence still to be completed.
std::size_t UnfinishedTail(const std::string& text) {
    for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) != 0x80) {
            const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
            return length > back ? back : 0;
        }
    }
    return 0;
}

// A stream buffer that writes whole UTF-8 sequences to a console as UTF-16.
class ConsoleBuffer : public std::streambuf {
public:
    explicit ConsoleBuffer(HANDLE console) : console_(console) {}

protected:
    int_type overflow(int_type c) override {
        if (c != traits_type::eof()) {
            pending_ += static_cast<char>(c);
            if (c == '\n' && sync() != 0) {
                return traits_type::eof();
            }
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        pending_.append(text, static_cast<std::size_t>(count));
        return sync() == 0 ? count : 0;
    }
    int sync() override {
        const std::size_t tail = UnfinishedTail(pending_);
        const std::wstring wide = platform::format::Utf16Shown<wchar_t>(
            std::string_view(pending_).substr(0, pending_.size() - tail));
        pending_.erase(0, pending_.size() - tail);
        DWORD written = 0;
        return wide.empty() || WriteConsoleW(console_, wide.data(), static_cast<DWORD>(wide.size()),
                                             &written, nullptr)
                   ? 0
                   : -1;
    }

private:
    HANDLE console_;
    std::string pending_;
};

// The console behind a standard handle; nullptr when it is a file, a pipe or nothing.
HANDLE ConsoleOf(DWORD standardHandle) {
    HANDLE handle = GetStdHandle(standardHandle);
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode)
               ? handle
               : nullptr;
}

struct Redirection {
    std::ostream& stream;
    DWORD standardHandle;
    std::unique_ptr<ConsoleBuffer> buffer;
    std::streambuf* previous = nullptr;
};

Redirection gRedirections[] = {{std::cout, STD_OUTPUT_HANDLE, nullptr},
                               {std::cerr, STD_ERROR_HANDLE, nullptr}};

}  // namespace

ConsoleStreams::ConsoleStreams() {
    for (Redirection& redirection : gRedirections) {
        if (HANDLE console = ConsoleOf(redirection.standardHandle)) {
            redirection.stream.flush();
            redirection.buffer = std::make_unique<ConsoleBuffer>(console);
            redirection.previous = redirection.stream.rdbuf(redirection.buffer.get());
        }
    }
}

ConsoleStreams::~ConsoleStreams() {
    for (Redirection& redirection : gRedirections) {
        if (redirection.buffer) {
            redirection.stream.flush();
            redirection.stream.rdbuf(redirection.previous);
            redirection.buffer.reset();
        }
    }
}

}  // namespace tool::win32
