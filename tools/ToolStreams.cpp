#include "tools/ToolStreams.h"

#include <iostream>
#include <streambuf>

namespace tool {

namespace {

thread_local BufferedOutput* installedBuffer = nullptr;

}  // namespace

std::ostream& ToolOut() {
    return installedBuffer ? installedBuffer->Out() : std::cout;
}

std::ostream& ToolErr() {
    return installedBuffer ? installedBuffer->Err() : std::cerr;
}

// The pieces written, each tagged with the stream it was written to; a stream buffer per stream
// appends to them.
class BufferedOutput::Chunks {
public:
    enum Stream { kOut, kErr };

    class Sink final : public std::streambuf {
    public:
        Sink(Chunks& chunks, Stream stream) : chunks_(chunks), stream_(stream) {}

    protected:
        int_type overflow(int_type c) override {
            if (!traits_type::eq_int_type(c, traits_type::eof())) {
                const char ch = traits_type::to_char_type(c);
                chunks_.Append(stream_, &ch, 1);
            }
            return traits_type::not_eof(c);
        }
        std::streamsize xsputn(const char* text, std::streamsize count) override {
            chunks_.Append(stream_, text, static_cast<std::size_t>(count));
            return count;
        }

    private:
        Chunks& chunks_;
        Stream stream_;
    };

    void Append(Stream stream, const char* text, std::size_t count) {
        if (pieces_.empty() || pieces_.back().first != stream) {
            pieces_.emplace_back(stream, std::string());
        }
        pieces_.back().second.append(text, count);
    }

    void WriteTo(std::ostream& out, std::ostream& err) {
        for (const auto& [stream, text] : pieces_) {
            if (stream == kErr) {
                out.flush();
            }
            (stream == kOut ? out : err) << text;
        }
        pieces_.clear();
    }

    Sink out{*this, kOut};
    Sink err{*this, kErr};

private:
    std::vector<std::pair<Stream, std::string>> pieces_;
};

BufferedOutput::BufferedOutput()
    : chunks_(std::make_unique<Chunks>()), out_(&chunks_->out), err_(&chunks_->err) {}

BufferedOutput::~BufferedOutput() = default;

void BufferedOutput::WriteTo(std::ostream& out, std::ostream& err) {
    chunks_->WriteTo(out, err);
}

ScopedBufferedOutput::ScopedBufferedOutput(BufferedOutput& buffer) : previous_(installedBuffer) {
    installedBuffer = &buffer;
}

ScopedBufferedOutput::~ScopedBufferedOutput() {
    installedBuffer = previous_;
}

}  // namespace tool
