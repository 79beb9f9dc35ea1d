#pragma once

#include <memory>
#include <string>

#include "platform/icons/FileSource.h"
#include "platform/icons/GroupTable.h"
#include "platform/icons/ReadResult.h"
#include "platform/icons/detail/SmallReadCache.h"

// The icons a path stands for, opened: the file and its icon groups. Since Windows 10 the icons of
// many system DLLs live in `<Windows>\SystemResources\<name>.mun` and the DLL in System32 holds
// none; the Windows loader redirects to the .mun file, and so does this.
namespace platform::icons {

// A byte source that reads through whichever file is attached to it (none: every read fails), so
// that what was parsed over one descriptor serves the next descriptor of the same unchanged file.
// Its small reads go through a few blocks of the file (detail/SmallReadCache.h) read over the
// descriptor attached: a new descriptor is a new call, which reads what it returns anew (a file
// rewritten in place may keep its size and time).
class AttachedSource final : public ByteSource {
public:
    void Attach(std::unique_ptr<FileSource> file) {
        file_ = std::move(file);
        smallReads_.Clear();
    }
    void Detach() { file_.reset(); }
    bool Attached() const { return file_ != nullptr; }

    std::uint64_t Size() const override { return file_ ? file_->Size() : 0; }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        return file_ && smallReads_.ReadThrough(*file_, offset, out);
    }
    std::optional<SourceIdentity> Identity() const override {
        return file_ ? file_->Identity() : std::nullopt;
    }

private:
    std::unique_ptr<FileSource> file_;
    mutable detail::SmallReadCache smallReads_;  // one IconFile is read by one thread at a time
};

class IconFile {
public:
    // Opens the file at `path` (the file system's own bytes) and its groups of `kind` (icons unless
    // told). A PE file with no group of that kind of its own, lying in a directory named System32
    // or SysWOW64 (any case; see MunFileFor), stands for `SystemResources/<its name>.mun` (any
    // case) beside that directory, when that file gives groups of the kind. The reason when neither
    // gives any.
    static ReadResult<IconFile> Open(const std::string& path,
                                     const format::ResourceKind& kind = format::kIconResources);
    // The same over `opened`, the file at `path` already opened (null: it could not be).
    static ReadResult<IconFile> Open(const std::string& path, std::unique_ptr<FileSource> opened,
                                     const format::ResourceKind& kind = format::kIconResources);

    const ByteSource& Source() const { return *source_; }
    GroupTable& Groups() const { return *groups_; }
    // The file the icons are read from: the path given, or the .mun file it stands for.
    const std::string& Path() const { return path_; }

    // Lets go of the file's descriptor, keeping what was parsed; Reattach gives it a new one.
    void Detach() { source_->Detach(); }
    // Reads through `file` from now on: a descriptor of the same unchanged file (the caller has
    // compared identities).
    void Reattach(std::unique_ptr<FileSource> file) { source_->Attach(std::move(file)); }

private:
    IconFile(std::unique_ptr<AttachedSource> source, std::unique_ptr<GroupTable> groups,
             std::string path)
        : source_(std::move(source)), groups_(std::move(groups)), path_(std::move(path)) {}

    std::unique_ptr<AttachedSource> source_;
    std::unique_ptr<GroupTable> groups_;  // reads source_
    std::string path_;
};

// The icon group at a zero-based index of an opened file, as ExtractIconA reads it: every image of
// the group read now, sharing bytes and snapshots with everything still held from the same file;
// the reason where ExtractIconA gives 0. Files opened apart may be read on several threads at once;
// one IconFile is read by one thread at a time. Nothing here throws but std::bad_alloc.
ReadResult<std::shared_ptr<const IconGroup>> ReadGroup(const IconFile& file, std::int32_t index);

// The bytes of one image of an opened file (a range a description gave), shared with every holder
// of the same image; the reason when they cannot be read or the file's budget has no room.
ReadResult<ImageBytes> ReadImageAt(const IconFile& file, ByteRange range);

// The .mun file a path in a System32 or SysWOW64 directory may stand for; empty when the path is
// not in such a directory or there is no such file. A relative path is read from the working
// directory (`./foo.dll` run inside System32 is in System32). Directory names are matched ignoring
// case, each directory read at most up to a bounded number of entries, and its listing kept while
// the directory's identity and modification time stay the same: a scan lists each directory once.
// Safe to call from several threads at once.
std::string MunFileFor(const std::string& path);

}  // namespace platform::icons
