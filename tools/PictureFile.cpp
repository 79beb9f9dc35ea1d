#include "tools/PictureFile.h"

#include <filesystem>

#include "platform/picture/IcoFileSink.h"
#include "platform/picture/SaveErrors.h"
#include "platform/picture/SavePictureWith.h"
#include "platform/runtime/RuntimeError.h"
#include "tools/PngEncoding.h"

namespace tool {

namespace {

// Like SavePicture, the write replaces a regular file (or a link to one) and nothing else.
void RaiseIfNotRegularFile(const std::string& fileName) {
    std::error_code error;
    const auto status =
        std::filesystem::status(std::u8string(fileName.begin(), fileName.end()), error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        runtime::Raise(runtime::errPathFileAccess);
    }
}

void WriteBytes(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
                bool flushToDisk) {
    platform::picture::SaveFileSink sink(flushToDisk);
    if (!sink.Open(fileName) || !sink.Write(bytes) || !sink.Commit()) {
        const int failure = sink.FailureErrno();
        sink.Discard();
        runtime::Raise(platform::picture::SaveErrorNumber(failure));
    }
}

}  // namespace

void WritePicture(const platform::picture::IPictureDisp& picture, const std::string& fileName,
                  std::optional<int> pngSide, bool flushToDisk) {
    if (!pngSide) {
        platform::picture::SaveFileSink sink(flushToDisk);
        platform::picture::SavePictureWith(picture, fileName, sink);
        return;
    }
    const auto png = picture ? EncodePng(*picture, *pngSide) : std::nullopt;
    if (!png) {
        runtime::Raise(runtime::errInvalidPropertyValue);
    }
    RaiseIfNotRegularFile(fileName);
    WriteBytes(*png, fileName, flushToDisk);
}

void WriteFileBytes(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
                    bool flushToDisk) {
    RaiseIfNotRegularFile(fileName);
    WriteBytes(bytes, fileName, flushToDisk);
}

}  // namespace tool
