#include "platform/icons/FileSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

namespace platform::icons {

std::unique_ptr<FileSource> FileSource::Open(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        return nullptr;
    }
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        return nullptr;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0) {
        ::close(descriptor);
        return nullptr;
    }
    const SourceIdentity identity{.device = static_cast<std::uint64_t>(status.st_dev),
                                  .file = static_cast<std::uint64_t>(status.st_ino),
                                  .size = static_cast<std::uint64_t>(status.st_size),
                                  .modifiedSeconds = status.st_mtim.tv_sec,
                                  .modifiedNanoseconds = status.st_mtim.tv_nsec};
    return std::unique_ptr<FileSource>(new FileSource(descriptor, identity));
}

FileSource::~FileSource() {
    ::close(static_cast<int>(handle_));
}

bool FileSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
    constexpr auto kMaxOffset = static_cast<std::uint64_t>(std::numeric_limits<off_t>::max());
    if (!RangeInside(kMaxOffset, offset, out.size())) {
        return false;
    }
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = ::pread(static_cast<int>(handle_), out.data() + done, out.size() - done,
                                    static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;  // an error, or the file ends early
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace platform::icons
