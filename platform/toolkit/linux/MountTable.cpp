#include "platform/toolkit/linux/MountTable.h"

#include <algorithm>
#include <array>
#include <span>

namespace toolkit::mount_table {

namespace {

// File systems of the kernel and its services that hold no files of the user's.
constexpr std::array<std::string_view, 24> kPseudoFileSystems = {
    "proc",       "sysfs",   "cgroup",     "cgroup2",     "devpts",   "mqueue",
    "debugfs",    "tracefs", "securityfs", "pstore",      "bpf",      "autofs",
    "configfs",   "fusectl", "hugetlbfs",  "binfmt_misc", "devtmpfs", "efivarfs",
    "rpc_pipefs", "nsfs",    "selinuxfs",  "rootfs",      "nfsd",     "fuse.gvfsd-fuse",
};

// Places of the system's own, whatever is mounted there.
constexpr std::array<std::string_view, 5> kSystemPlaces = {"/dev", "/proc", "/sys", "/var/run",
                                                           "/var/lock"};

constexpr std::array<std::string_view, 12> kNetworkFileSystems = {
    "nfs", "nfs4", "cifs", "smb3",      "smbfs",  "ncpfs",
    "9p",  "afs",  "ceph", "glusterfs", "lustre", "davfs",
};

bool IsIn(std::string_view word, std::span<const std::string_view> words) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

// mountinfo writes a space, tab, newline and backslash in a path as \040, \011, \012, \134.
std::string Unescaped(std::string_view field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) &&
            IsOctalDigit(field[i + 2]) && IsOctalDigit(field[i + 3])) {
            text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                      (field[i + 3] - '0'));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        if (end > start) {
            fields.push_back(line.substr(start, end - start));
        }
        start = end + 1;
    }
    return fields;
}

// "id parent major:minor root mount-point options [optional...] - type source super-options"
bool ReadMount(std::string_view line, Mount& mount) {
    const std::vector<std::string_view> fields = Fields(line);
    const auto separator = std::find(fields.begin(), fields.end(), "-");
    if (fields.size() < 6 || separator - fields.begin() < 6 || fields.end() - separator < 3) {
        return false;
    }
    mount = {Unescaped(fields[4]), Unescaped(separator[1]), Unescaped(separator[2])};
    return !mount.mountPoint.empty() && mount.mountPoint.front() == '/';
}

}  // namespace

std::vector<Mount> ParseMountInfo(std::string_view text, std::size_t maxMounts) {
    std::vector<Mount> mounts;
    std::size_t start = 0;
    while (start < text.size() && mounts.size() < maxMounts) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        Mount mount;
        if (ReadMount(text.substr(start, end - start), mount)) {
            mounts.push_back(std::move(mount));
        }
        start = end + 1;
    }
    return mounts;
}

bool MayHang(std::string_view fileSystemType) {
    return IsIn(fileSystemType, kNetworkFileSystems) || fileSystemType.starts_with("fuse");
}

bool IsSystemMount(const Mount& mount) {
    if (IsIn(mount.fileSystemType, kPseudoFileSystems)) {
        return true;
    }
    const std::string_view point = mount.mountPoint;
    return std::any_of(kSystemPlaces.begin(), kSystemPlaces.end(), [point](std::string_view place) {
        return point.starts_with(place) &&
               (point.size() == place.size() || point[place.size()] == '/');
    });
}

}  // namespace toolkit::mount_table
