#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/icons/ByteSource.h"

// A regular file read by positioned reads (pread; ReadFile at an offset on Windows), never mapped:
// a file truncated or rewritten while it is read gives failed reads, not a crash. One interface,
// one implementation per platform (posix/, win32/).
namespace platform::icons {

class FileSource final : public ByteSource {
public:
    // Opens a regular file without blocking (a FIFO, pipe or device is opened without waiting,
    // seen not to be a regular file and closed). Null when the path cannot be opened or is not a
    // regular file, or holds a NUL byte. The path is the file system's own bytes on POSIX, UTF-8
    // on Windows (where bytes that are not UTF-8 name no file); other processes may go on
    // writing, renaming or deleting the file while it is open.
    static std::unique_ptr<FileSource> Open(const std::string& path);

    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override;
    std::optional<SourceIdentity> Identity() const override { return identity_; }

private:
    FileSource(std::intptr_t handle, const SourceIdentity& identity)
        : handle_(handle), size_(identity.size), identity_(identity) {}

    std::intptr_t handle_;  // the open file: a descriptor, or a Windows HANDLE
    std::uint64_t size_;
    SourceIdentity identity_;
};

}  // namespace platform::icons
