#include "tools/linux/LandlockRules.h"

#include <fcntl.h>
#include <linux/landlock.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

// Older kernel headers name the rights up to their own ABI; these are the later ones.
#ifndef LANDLOCK_ACCESS_FS_REFER
#define LANDLOCK_ACCESS_FS_REFER (1ULL << 13)
#endif
#ifndef LANDLOCK_ACCESS_FS_TRUNCATE
#define LANDLOCK_ACCESS_FS_TRUNCATE (1ULL << 14)
#endif

namespace tool::linux_sandbox {

namespace {

// The kernel's Landlock ABI version; 0 when it has none (or it is disabled).
int LandlockAbi() {
    const long abi =
        ::syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
    return abi < 0 ? 0 : static_cast<int>(abi);
}

// Every file-system right the ABI knows: all of them are refused unless a rule allows them.
std::uint64_t HandledRights(int abi) {
    std::uint64_t rights = (LANDLOCK_ACCESS_FS_MAKE_SYM << 1) - 1;  // ABI 1: bits 0 to 12
    if (abi >= 2) {
        rights |= LANDLOCK_ACCESS_FS_REFER;
    }
    if (abi >= 3) {
        rights |= LANDLOCK_ACCESS_FS_TRUNCATE;
    }
    return rights;
}

class Descriptor {
public:
    explicit Descriptor(int value) : value_(value) {}
    ~Descriptor() {
        if (value_ >= 0) {
            ::close(value_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return value_; }

private:
    int value_;
};

bool AddRule(int ruleset, int beneath, std::uint64_t rights) {
    landlock_path_beneath_attr rule{};
    rule.allowed_access = rights;
    rule.parent_fd = beneath;
    return ::syscall(SYS_landlock_add_rule, ruleset, LANDLOCK_RULE_PATH_BENEATH, &rule, 0) == 0;
}

std::string Off(const char* why) {
    return std::string("landlock: off (") + why + ": " + std::strerror(errno) + ")";
}

}  // namespace

std::string RestrictFileAccess(const std::vector<std::string>& readableFiles, int writableDirectory,
                               const std::vector<std::string>& readableTrees) {
    const int abi = LandlockAbi();
    if (abi < 1) {
        return "landlock: off (the kernel has no Landlock)";
    }
    landlock_ruleset_attr attributes{};
    attributes.handled_access_fs = HandledRights(abi);
    const Descriptor ruleset(static_cast<int>(
        ::syscall(SYS_landlock_create_ruleset, &attributes, sizeof attributes, 0)));
    if (ruleset.Get() < 0) {
        return Off("no ruleset");
    }
    for (const std::string& file : readableFiles) {
        const Descriptor opened(::open(file.c_str(), O_PATH | O_CLOEXEC));
        // A file that cannot be opened now cannot be read later either: it needs no rule. Nor
        // does anything but a regular file (a rule on a directory would cover all beneath it).
        struct stat status {};
        if (opened.Get() >= 0 && ::fstat(opened.Get(), &status) == 0 && S_ISREG(status.st_mode) &&
            !AddRule(ruleset.Get(), opened.Get(), LANDLOCK_ACCESS_FS_READ_FILE)) {
            return Off("a read rule was refused");
        }
    }
    for (const std::string& tree : readableTrees) {
        const Descriptor opened(::open(tree.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (opened.Get() >= 0 &&
            !AddRule(ruleset.Get(), opened.Get(),
                     LANDLOCK_ACCESS_FS_READ_FILE | LANDLOCK_ACCESS_FS_READ_DIR)) {
            return Off("a read rule was refused");
        }
    }
    const std::uint64_t writing = LANDLOCK_ACCESS_FS_WRITE_FILE | LANDLOCK_ACCESS_FS_MAKE_REG |
                                  LANDLOCK_ACCESS_FS_REMOVE_FILE |
                                  (abi >= 3 ? LANDLOCK_ACCESS_FS_TRUNCATE : 0);
    if (writableDirectory >= 0 && !AddRule(ruleset.Get(), writableDirectory, writing)) {
        return Off("the write rule was refused");
    }
    if (::syscall(SYS_landlock_restrict_self, ruleset.Get(), 0) != 0) {
        return Off("not restricted");
    }
    return "landlock: ABI " + std::to_string(abi);
}

}  // namespace tool::linux_sandbox
