#include <sys/stat.h>

#include "platform/icons/detail/DirectoryIndex.h"

namespace platform::icons::detail {

std::optional<SourceIdentity> DirectoryStamp(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        return std::nullopt;
    }
    return SourceIdentity{.device = static_cast<std::uint64_t>(status.st_dev),
                          .file = static_cast<std::uint64_t>(status.st_ino),
                          .modifiedSeconds = status.st_mtim.tv_sec,
                          .modifiedNanoseconds = status.st_mtim.tv_nsec};
}

}  // namespace platform::icons::detail
