#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// Where the tool's text goes: standard output and standard error, or, while a thread works on one
// file of many, that file's own buffer, written out later in the files' order.
namespace tool {

// The stream the calling thread's standard output goes to: std::cout, or the buffer a
// ScopedBufferedOutput of this thread installed.
std::ostream& ToolOut();
// The same for standard error (std::cerr).
std::ostream& ToolErr();

// The text one piece of work wrote to ToolOut and ToolErr, kept in the order it was written.
class BufferedOutput {
public:
    BufferedOutput();
    ~BufferedOutput();
    BufferedOutput(const BufferedOutput&) = delete;
    BufferedOutput& operator=(const BufferedOutput&) = delete;

    std::ostream& Out() { return out_; }
    std::ostream& Err() { return err_; }

    // Writes what was kept to `out` and `err` in the order it was written (`out` flushed before
    // each piece of `err`, so that both reach a shared terminal or file in that order), and
    // forgets it.
    void WriteTo(std::ostream& out, std::ostream& err);

private:
    class Chunks;
    std::unique_ptr<Chunks> chunks_;
    std::ostream out_;
    std::ostream err_;
};

// For its lifetime, the calling thread's ToolOut and ToolErr write into `buffer`.
class ScopedBufferedOutput {
public:
    explicit ScopedBufferedOutput(BufferedOutput& buffer);
    ~ScopedBufferedOutput();
    ScopedBufferedOutput(const ScopedBufferedOutput&) = delete;
    ScopedBufferedOutput& operator=(const ScopedBufferedOutput&) = delete;

private:
    BufferedOutput* previous_;
};

}  // namespace tool
