// The drive list's volumes on Linux: the kernel's mount table, read as text. Nothing a network
// or FUSE file system serves is looked at, so that a dead mount never holds up the window; a
// local file system is listed when its mount point is a directory (not a file mounted alone).
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <map>
#include <memory>

#include "platform/files/FilePaths.h"
#include "platform/toolkit/PathText.h"
#include "platform/toolkit/Volumes.h"
#include "platform/toolkit/linux/MountTable.h"

namespace toolkit {

namespace {

// A mount table can be long (containers); the list shows at most this many volumes, read from
// at most this much of the table.
constexpr std::size_t kMaxVolumes = 1024;
constexpr std::size_t kMaxMounts = 65536;
constexpr std::size_t kMaxTableBytes = 16 << 20;
// Labelled disks looked at for a device's label.
constexpr int kMaxLabels = 1024;

std::string ReadMountTable() {
    std::string text;
    const int descriptor = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return text;
    }
    char buffer[65536];
    ssize_t got = 0;
    while (text.size() < kMaxTableBytes && (got = ::read(descriptor, buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(descriptor);
    return text;
}

std::string RealPath(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

// udev names a label's link with \xHH for the bytes it cannot put in a name ("My\x20Disk").
std::string UnescapedLabel(const std::string& name) {
    std::string label;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name.compare(i, 2, "\\x") == 0 && i + 3 < name.size() &&
            std::isxdigit(static_cast<unsigned char>(name[i + 2])) &&
            std::isxdigit(static_cast<unsigned char>(name[i + 3]))) {
            label += static_cast<char>(std::stoi(name.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            label += name[i];
        }
    }
    return label;
}

// The label udev found on a block device, "" when it has none.
std::string DiskLabel(const std::string& device) {
    const std::string target = RealPath(device);
    DIR* labels = target.empty() ? nullptr : ::opendir("/dev/disk/by-label");
    if (labels == nullptr) {
        return {};
    }
    std::string label;
    int seen = 0;
    while (const dirent* entry = ::readdir(labels)) {
        if (++seen > kMaxLabels) {
            break;
        }
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && RealPath("/dev/disk/by-label/" + name) == target) {
            label = UnescapedLabel(name);
            break;
        }
    }
    ::closedir(labels);
    return label;
}

std::string LabelOf(const mount_table::Mount& mount) {
    if (mount.mountPoint == "/") {
        return "root";
    }
    if (mount.source.starts_with("/dev/")) {
        if (std::string label = DiskLabel(mount.source); !label.empty()) {
            return label;
        }
    }
    const std::string source = path_text::LastComponent(mount.source);
    return source.empty() ? path_text::LastComponent(mount.mountPoint) : source;
}

}  // namespace

namespace mount_table {

std::vector<Volume> VolumesOf(std::string_view mountInfo) {
    std::map<std::string, Volume> byRoot;
    for (const Mount& mount : ParseMountInfo(mountInfo, kMaxMounts)) {
        if (IsSystemMount(mount) ||
            (!MayHang(mount.fileSystemType) && !platform::files::IsDirectory(mount.mountPoint))) {
            continue;
        }
        if (byRoot.size() < kMaxVolumes || byRoot.contains(mount.mountPoint)) {
            byRoot[mount.mountPoint] = {mount.mountPoint, LabelOf(mount)};
        }
    }
    // In a plain chroot (where package builders run) the root is no mount point of its own: it is
    // listed all the same, so that every directory lies on a drive of the list.
    if (!byRoot.contains("/")) {
        byRoot["/"] = {"/", "root"};
    }
    std::vector<Volume> volumes;
    for (auto& [root, volume] : byRoot) {
        volumes.push_back(std::move(volume));
    }
    return volumes;
}

}  // namespace mount_table

std::vector<Volume> MountedVolumes() {
    return mount_table::VolumesOf(ReadMountTable());
}

}  // namespace toolkit
