// On Windows the thumbnail is written as the window saves (SaveFileSink): the process does not
// confine itself there, and no directory is held open.
#include "platform/picture/IcoFileSink.h"
#include "tools/BesideFileSink.h"

namespace tool {

BesideFileSink::~BesideFileSink() = default;

bool BesideFileSink::OpenDirectory(const std::string& output) {
    output_ = output;
    return true;
}

bool BesideFileSink::Replace(std::span<const std::uint8_t> bytes) {
    platform::picture::SaveFileSink sink;
    if (!sink.Open(output_) || !sink.Write(bytes) || !sink.Commit()) {
        const int failure = sink.FailureErrno();
        sink.Discard();
        return Fail(failure);
    }
    return true;
}

}  // namespace tool
