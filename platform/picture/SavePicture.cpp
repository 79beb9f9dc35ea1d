#include "platform/picture/SavePicture.h"

#include <optional>
#include <vector>

#include "platform/files/FilePaths.h"
#include "platform/picture/IcoFileWriter.h"
#include "platform/picture/SaveErrors.h"
#include "platform/picture/SavePictureWith.h"
#include "platform/runtime/RuntimeError.h"

namespace platform::picture {

namespace {

std::vector<IcoEntry> EntriesOf(const icons::IconGroup& group) {
    std::vector<IcoEntry> entries;
    entries.reserve(group.images.size());
    for (const icons::IconImage& image : group.images) {
        entries.push_back(IcoEntryOf(image));
    }
    return entries;
}

void RaiseIfDirectoryMissing(const std::string& fileName) {
    if (!files::IsDirectory(files::DirectoryOf(fileName))) {
        runtime::Raise(runtime::errPathNotFound);
    }
}

// The save replaces the file by renaming a new one over it: fine for a regular file (or a link to
// one), but it must not replace a directory, a FIFO or a device node.
void RaiseIfNotRegularFile(const std::string& fileName) {
    if (files::IsOtherThanFile(fileName)) {
        runtime::Raise(runtime::errPathFileAccess);
    }
}

[[noreturn]] void DiscardAndRaise(IcoFileSink& sink) {
    const int failure = sink.FailureErrno();
    sink.Discard();
    runtime::Raise(SaveErrorNumber(failure));
}

}  // namespace

void SavePictureWith(const IPictureDisp& picture, const std::string& fileName, IcoFileSink& sink) {
    if (!picture || picture->Group().images.empty()) {
        runtime::Raise(runtime::errInvalidPropertyValue);
    }
    const std::vector<IcoEntry> entries = EntriesOf(picture->Group());
    const std::optional<std::vector<std::uint8_t>> directory = IcoDirectoryBytes(entries);
    if (!directory) {
        runtime::Raise(runtime::errPathFileAccess);
    }
    RaiseIfDirectoryMissing(fileName);
    RaiseIfNotRegularFile(fileName);

    if (!sink.Open(fileName) || !sink.Write(*directory)) {
        DiscardAndRaise(sink);
    }
    for (const IcoEntry& entry : entries) {
        if (!sink.Write(entry.bytes)) {
            DiscardAndRaise(sink);
        }
    }
    if (!sink.Commit()) {
        DiscardAndRaise(sink);
    }
}

void SavePicture(const IPictureDisp& picture, const std::string& fileName) {
    SaveFileSink sink;
    SavePictureWith(picture, fileName, sink);
}

}  // namespace platform::picture
