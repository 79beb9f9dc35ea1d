#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string_view>

#include "tools/BesideFileSink.h"

namespace tool {

namespace {

constexpr int kTemporaryNameAttempts = 100;

// "NAME.XXXXXX" with six random letters and digits, in the output's directory.
std::string TemporaryLeaf(const std::string& leaf, std::mt19937& random) {
    constexpr std::string_view kLetters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string name = leaf + ".";
    for (int i = 0; i < 6; ++i) {
        name += kLetters[pick(random)];
    }
    return name;
}

bool WriteAll(int descriptor, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            errno = written < 0 ? errno : EIO;
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

BesideFileSink::~BesideFileSink() {
    if (directory_ >= 0) {
        ::close(directory_);
    }
}

bool BesideFileSink::OpenDirectory(const std::string& output) {
    output_ = output;
    const std::size_t slash = output.find_last_of('/');
    const std::string directory = slash == std::string::npos ? "." : output.substr(0, slash + 1);
    leaf_ = slash == std::string::npos ? output : output.substr(slash + 1);
    if (leaf_.empty() || leaf_ == "." || leaf_ == "..") {
        return Fail(EISDIR);
    }
    directory_ = ::open(directory.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return directory_ >= 0 || Fail(errno);
}

bool BesideFileSink::Replace(std::span<const std::uint8_t> bytes) {
    struct stat existing {};
    const bool replacing =
        ::fstatat(directory_, leaf_.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0;
    const bool regular = replacing && S_ISREG(existing.st_mode);
    if (replacing && !regular && !S_ISLNK(existing.st_mode)) {
        return Fail(S_ISDIR(existing.st_mode) ? EISDIR : EEXIST);
    }
    std::random_device seed;
    std::mt19937 random(seed());
    std::string temporary;
    int descriptor = -1;
    for (int attempt = 0; descriptor < 0 && attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = TemporaryLeaf(leaf_, random);
        descriptor = ::openat(directory_, temporary.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW,
                              regular ? 0600 : 0666);
        if (descriptor < 0 && errno != EEXIST) {
            return Fail(errno);
        }
    }
    if (descriptor < 0) {
        return Fail(EEXIST);
    }
    if (regular) {
        (void)::fchmod(descriptor, existing.st_mode & 0777);  // best effort, as SaveFileSink
    }
    // EINVAL from fsync: the file system has no flush to disk.
    bool written = WriteAll(descriptor, bytes) && (::fsync(descriptor) == 0 || errno == EINVAL);
    int failure = written ? 0 : errno;
    // Closing can report a write that failed late; after EINTR the descriptor is closed anyway.
    if (::close(descriptor) != 0 && written && errno != EINTR) {
        written = false;
        failure = errno;
    }
    if (written && ::renameat(directory_, temporary.c_str(), directory_, leaf_.c_str()) == 0) {
        return true;
    }
    failure = written ? errno : failure;
    ::unlinkat(directory_, temporary.c_str(), 0);
    return Fail(failure);
}

}  // namespace tool
