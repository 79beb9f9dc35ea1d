#include <QFile>
#include <QStorageInfo>
#include <algorithm>
#include <array>
#include <set>
#include <string_view>

#include "platform/toolkit/PathText.h"
#include "platform/toolkit/Volumes.h"

namespace toolkit {

namespace {

// A mount table can be long (containers); the list shows at most this many volumes.
constexpr std::size_t kMaxVolumes = 1024;

// File systems of the kernel and its services that hold no files of the user's.
constexpr std::array<std::string_view, 24> kPseudoFileSystems = {
    "proc",       "sysfs",   "cgroup",     "cgroup2",     "devpts",   "mqueue",
    "debugfs",    "tracefs", "securityfs", "pstore",      "bpf",      "autofs",
    "configfs",   "fusectl", "hugetlbfs",  "binfmt_misc", "devtmpfs", "efivarfs",
    "rpc_pipefs", "nsfs",    "selinuxfs",  "rootfs",      "nfsd",     "fuse.gvfsd-fuse",
};

bool IsPseudoFileSystem(const QByteArray& type) {
    return std::find(kPseudoFileSystems.begin(), kPseudoFileSystems.end(),
                     std::string_view(type.constData(), static_cast<std::size_t>(type.size()))) !=
           kPseudoFileSystems.end();
}

std::string LabelOf(const QStorageInfo& info, const std::string& root) {
    if (root == "/") {
        return "root";
    }
    if (!info.name().isEmpty()) {
        return info.name().toStdString();
    }
    const std::string device = path_text::LastComponent(info.device().toStdString());
    return device.empty() ? path_text::LastComponent(root) : device;
}

}  // namespace

std::vector<Volume> MountedVolumes() {
    std::vector<Volume> volumes;
    std::set<std::string> roots;
    for (const QStorageInfo& info : QStorageInfo::mountedVolumes()) {
        if (volumes.size() >= kMaxVolumes) {
            break;
        }
        if (!info.isValid() || !info.isReady() || IsPseudoFileSystem(info.fileSystemType())) {
            continue;
        }
        const std::string root = QFile::encodeName(info.rootPath()).toStdString();
        if (root.empty() || !path_text::IsDirectory(root) || !roots.insert(root).second) {
            continue;
        }
        volumes.push_back({root, LabelOf(info, root)});
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const Volume& a, const Volume& b) { return a.rootPath < b.rootPath; });
    return volumes;
}

}  // namespace toolkit
