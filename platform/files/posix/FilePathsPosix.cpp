#include "platform/files/FilePaths.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

namespace platform::files {

namespace {

// Linux gives up after 40 links in one lookup.
constexpr int kMaxLinks = 40;

std::optional<std::string> LinkTarget(const std::string& fileName) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(fileName.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target) {
        return std::nullopt;  // not a link, unreadable, or longer than any path the system takes
    }
    return std::string(target, static_cast<std::size_t>(length));
}

}  // namespace

std::string DirectoryOf(const std::string& fileName) {
    const std::size_t slash = fileName.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : fileName.substr(0, slash);
}

std::string FollowLinks(const std::string& fileName) {
    std::string current = fileName;
    for (int links = 0; links < kMaxLinks; ++links) {
        const std::optional<std::string> target = LinkTarget(current);
        if (!target) {
            return current;
        }
        current = target->front() == '/' ? *target : DirectoryOf(current) + "/" + *target;
    }
    return fileName;
}

bool IsDirectory(const std::string& fileName) {
    struct stat status {};
    return ::stat(fileName.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool IsOtherThanFile(const std::string& fileName) {
    struct stat status {};
    return ::stat(fileName.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
}

}  // namespace platform::files
