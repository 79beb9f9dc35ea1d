#pragma once

#include <memory>
#include <string>

#include "platform/icons/ByteSource.h"

// A regular file read with pread, never mapped: a file truncated or rewritten while it is read
// gives failed reads, not a crash.
namespace platform::icons {

class FileSource final : public ByteSource {
public:
    // Opens a regular file without blocking (a FIFO or device node is opened non-blocking, seen
    // not to be a regular file and closed). Null when the path cannot be opened or is not a
    // regular file, or holds a NUL byte.
    static std::unique_ptr<FileSource> Open(const std::string& path);

    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override;
    std::optional<SourceIdentity> Identity() const override { return identity_; }

private:
    FileSource(int descriptor, const SourceIdentity& identity)
        : descriptor_(descriptor), size_(identity.size), identity_(identity) {}

    int descriptor_;
    std::uint64_t size_;
    SourceIdentity identity_;
};

}  // namespace platform::icons
