#include "tools/PictureFile.h"

#include <filesystem>

#include "platform/picture/IcoFileSink.h"
#include "platform/picture/SaveErrors.h"
#include "platform/picture/SavePictureWith.h"
#include "platform/runtime/RuntimeError.h"
#include "tools/ToolReport.h"

namespace tool {

namespace {

// Like SavePicture, the write replaces a regular file (or a link to one) and nothing else.
void RaiseIfNotRegularFile(const std::string& fileName) {
    std::error_code error;
    const auto status = std::filesystem::status(NativePath(fileName), error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        runtime::Raise(runtime::errPathFileAccess);
    }
}

void WriteBytes(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
                platform::picture::SaveFileSink& sink) {
    if (!sink.Open(fileName) || !sink.Write(bytes) || !sink.Commit()) {
        const int failure = sink.FailureErrno();
        sink.Discard();
        runtime::Raise(platform::picture::SaveErrorNumber(failure));
    }
}

// Runs a write through a sink, its run-time errors raised again as WriteError with the errno the
// sink's steps met.
template <typename Steps>
void WriteWith(bool flushToDisk, Steps steps) {
    platform::picture::SaveFileSink sink(flushToDisk);
    try {
        steps(sink);
    } catch (const runtime::RuntimeError& error) {
        throw WriteError(error, sink.FailureErrno());
    }
}

}  // namespace

void WritePicture(const platform::picture::IPictureDisp& picture, const std::string& fileName,
                  bool flushToDisk) {
    WriteWith(flushToDisk, [&](platform::picture::SaveFileSink& sink) {
        platform::picture::SavePictureWith(picture, fileName, sink);
    });
}

void WriteFileBytes(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
                    bool flushToDisk) {
    WriteWith(flushToDisk, [&](platform::picture::SaveFileSink& sink) {
        RaiseIfNotRegularFile(fileName);
        WriteBytes(bytes, fileName, sink);
    });
}

}  // namespace tool
