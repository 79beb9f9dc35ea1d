// The walk's directory reading on POSIX: open(O_DIRECTORY) then readdir over the same descriptor,
// each entry's kind from its d_type or from fstatat beside it.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "platform/runtime/RuntimeError.h"
#include "tools/DirectoryEntries.h"

namespace tool {

const char kPathSeparator = '/';

namespace {

EntryKind KindOfMode(mode_t mode) {
    return S_ISDIR(mode)   ? EntryKind::Directory
           : S_ISREG(mode) ? EntryKind::File
                           : EntryKind::Other;
}

std::int32_t FailureOf(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return runtime::errPermissionDenied;
        case ENOENT:
            return runtime::errPathNotFound;
        default:
            return runtime::errPathFileAccess;
    }
}

// The kind of an entry of the open directory; a link is followed to what it names.
DirectoryEntry EntryOf(int directory, const dirent& entry) {
    DirectoryEntry read{entry.d_name, EntryKind::Other, entry.d_type == DT_LNK};
    if (entry.d_type == DT_DIR || entry.d_type == DT_REG) {
        read.kind = entry.d_type == DT_DIR ? EntryKind::Directory : EntryKind::File;
        return read;
    }
    struct stat status {};
    if (entry.d_type == DT_UNKNOWN) {
        if (::fstatat(directory, entry.d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
            return read;
        }
        read.link = S_ISLNK(status.st_mode);
        if (!read.link) {
            read.kind = KindOfMode(status.st_mode);
            return read;
        }
    }
    if (read.link && ::fstatat(directory, entry.d_name, &status, 0) == 0) {
        read.kind = KindOfMode(status.st_mode);
    }
    return read;
}

struct CloseDirectory {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

bool IsDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

}  // namespace

EntryKind KindOfPath(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? EntryKind::Missing : EntryKind::Other;
    }
    return KindOfMode(status.st_mode);
}

DirectoryListing ReadDirectory(const std::string& path, std::size_t maxEntries) {
    DirectoryListing listing;
    // O_DIRECTORY: a FIFO or device put in the directory's place fails here and is never opened.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat status {};
    if (descriptor < 0 || ::fstat(descriptor, &status) != 0) {
        listing.failure = FailureOf(errno);
        if (descriptor >= 0) {
            ::close(descriptor);
        }
        return listing;
    }
    listing.identity = {static_cast<std::uint64_t>(status.st_dev),
                        static_cast<std::uint64_t>(status.st_ino)};
    const std::unique_ptr<DIR, CloseDirectory> directory(::fdopendir(descriptor));
    if (!directory) {
        listing.failure = FailureOf(errno);
        ::close(descriptor);
        return listing;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(directory.get())) {
        if (IsDotOrDotDot(entry->d_name)) {
            continue;
        }
        if (listing.entries.size() == maxEntries) {
            listing.truncated = true;
            return listing;
        }
        listing.entries.push_back(EntryOf(descriptor, *entry));
        errno = 0;
    }
    if (errno != 0) {
        listing.failure = FailureOf(errno);
    }
    return listing;
}

}  // namespace tool
