#include "platform/icons/detail/LastIconFile.h"

#include <optional>

namespace platform::icons::detail {

namespace {

struct Kept {
    std::string path;                   // as the caller named it
    SourceIdentity identity;            // of the file at that path
    std::optional<SourceIdentity> mun;  // of the .mun file read instead, if any
    std::unique_ptr<IconFile> file;
};

std::optional<Kept>& LastKept() {
    static std::optional<Kept> kept;
    return kept;
}

// The kept file, attached to a new descriptor, when it is still the file `path` names.
IconFile* Reusable(const std::string& path, std::unique_ptr<FileSource>& opened) {
    std::optional<Kept>& kept = LastKept();
    if (!kept || kept->path != path || opened->Identity() != kept->identity) {
        return nullptr;
    }
    if (!kept->mun) {
        kept->file->Reattach(std::move(opened));
        return kept->file.get();
    }
    auto mun = FileSource::Open(kept->file->Path());
    if (!mun || mun->Identity() != kept->mun) {
        return nullptr;
    }
    kept->file->Reattach(std::move(mun));
    return kept->file.get();
}

}  // namespace

std::mutex& LastIconFileMutex() {
    static std::mutex mutex;
    return mutex;
}

ReadResult<IconFile*> AcquireLastIconFile(const std::string& path) {
    auto opened = FileSource::Open(path);
    if (!opened) {
        return Failure("the file cannot be opened as a regular file");
    }
    if (IconFile* reused = Reusable(path, opened)) {
        return reused;
    }
    const SourceIdentity identity = *opened->Identity();
    LastKept().reset();
    auto file = IconFile::Open(path, std::move(opened));
    if (!file) {
        return file.error();
    }
    auto kept = std::make_unique<IconFile>(std::move(*file));
    const auto mun = kept->Path() != path ? kept->Source().Identity() : std::nullopt;
    LastKept() = Kept{path, identity, mun, std::move(kept)};
    return LastKept()->file.get();
}

void DetachLastIconFile() {
    if (LastKept()) {
        LastKept()->file->Detach();
    }
}

}  // namespace platform::icons::detail
