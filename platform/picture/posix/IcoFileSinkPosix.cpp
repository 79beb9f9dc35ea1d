#include "platform/picture/IcoFileSink.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string_view>
#include <utility>

#include "platform/files/FilePaths.h"

namespace platform::picture {

namespace {

constexpr int kTemporaryNameAttempts = 100;

// "NAME.XXXXXX" with six random letters and digits: the temporary file sits next to the file it
// replaces, so that the final rename stays within one file system.
std::string TemporaryNameFor(const std::string& finalName, std::mt19937& random) {
    constexpr std::string_view kLetters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string name = finalName + ".";
    for (int i = 0; i < 6; ++i) {
        name += kLetters[pick(random)];
    }
    return name;
}

// A new file of that kind of name, made by this call alone (O_EXCL); its descriptor, or -1 with
// errno set. The mode goes through the umask as any new file's does.
int CreateTemporary(const std::string& finalName, mode_t mode, std::string& temporaryName) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporaryName = TemporaryNameFor(finalName, random);
        const int descriptor =
            ::open(temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
        if (descriptor >= 0 || errno != EEXIST) {
            if (descriptor < 0) {
                temporaryName.clear();
            }
            return descriptor;
        }
    }
    temporaryName.clear();
    return -1;  // errno is still EEXIST
}

}  // namespace

bool SaveFileSink::Open(const std::string& fileName) {
    finalName_ = files::FollowLinks(fileName);
    struct stat existing {};
    const bool replacing = ::stat(finalName_.c_str(), &existing) == 0;
    if (replacing && ::access(finalName_.c_str(), W_OK) != 0) {
        return Fail(errno);  // a file the user may not write is not replaced either
    }
    // A replaced file's permissions are copied below; until then nobody else may read the data.
    descriptor_ = CreateTemporary(finalName_, replacing ? 0600 : 0666, temporaryName_);
    if (descriptor_ < 0) {
        return Fail(errno);
    }
    if (replacing) {
        // Best effort: some file systems (FAT) refuse modes they cannot store, and the save goes
        // on.
        (void)::fchmod(descriptor_, existing.st_mode & 0777);
    }
    return true;
}

bool SaveFileSink::Write(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return Fail(written < 0 ? errno : EIO);
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

bool SaveFileSink::Commit() {
    // EINVAL: the file system has no such thing as a flush to disk.
    if (flushToDisk_ && ::fsync(descriptor_) != 0 && errno != EINVAL) {
        return Fail(errno);
    }
    if (!CloseFile()) {
        return false;
    }
    if (::rename(temporaryName_.c_str(), finalName_.c_str()) != 0) {
        return Fail(errno);
    }
    temporaryName_.clear();
    return true;
}

// Closing can report a write that failed late (network file systems); after EINTR the descriptor
// is closed all the same on Linux.
bool SaveFileSink::CloseFile() {
    if (::close(std::exchange(descriptor_, -1)) != 0 && errno != EINTR) {
        return Fail(errno);
    }
    return true;
}

void SaveFileSink::Discard() {
    if (descriptor_ >= 0) {
        ::close(std::exchange(descriptor_, -1));
    }
    if (!temporaryName_.empty()) {
        ::unlink(temporaryName_.c_str());
        temporaryName_.clear();
    }
}

}  // namespace platform::picture
