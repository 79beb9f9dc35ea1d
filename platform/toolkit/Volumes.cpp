#include "platform/toolkit/Volumes.h"

#include <utility>

#include "platform/runtime/Replaceable.h"
#include "platform/toolkit/PathText.h"

namespace toolkit {

namespace {

runtime::Replaceable<VolumeSource>& VolumeSourceSlot() {
    static runtime::Replaceable<VolumeSource> source{MountedVolumes};
    return source;
}

constexpr const char* kLabelOpen = " [";

// A drive-letter root ("z:") of a volume without a label stands alone, as Windows lists it; a root
// that is a path keeps its brackets, so that its text never reads as the plain path.
bool ShownWithoutLabel(const Volume& volume) {
    return volume.label.empty() && !volume.rootPath.empty() && volume.rootPath.front() != '/';
}

// Whether a text may be a drive's: "root [label]", or a bare root that is not a path.
bool MayBeDriveText(const std::string& text) {
    if (text.empty()) {
        return false;
    }
    if (text.back() == ']') {
        return text.rfind(kLabelOpen) != std::string::npos;
    }
    return text.front() != '/' && text.find_first_of("/\\") == std::string::npos;
}

}  // namespace

std::string DriveText(const Volume& volume) {
    if (ShownWithoutLabel(volume)) {
        return volume.rootPath;
    }
    return volume.rootPath + kLabelOpen + volume.label + "]";
}

std::string DriveRootOf(const std::string& driveText) {
    if (!MayBeDriveText(driveText)) {
        return "";
    }
    // A label or a root with " [" in it makes the text ambiguous; a volume that shows exactly this
    // text settles it.
    for (const Volume& volume : CurrentVolumes()) {
        if (DriveText(volume) == driveText) {
            return volume.rootPath;
        }
    }
    const std::size_t open = driveText.rfind(kLabelOpen);
    if (driveText.back() != ']' || open == std::string::npos) {
        return "";
    }
    std::string root = driveText.substr(0, open);
    return !root.empty() && root.front() == '/' ? root : "";
}

VolumeSource InstallVolumeSource(VolumeSource source) {
    return VolumeSourceSlot().Install(std::move(source));
}

std::vector<Volume> CurrentVolumes() {
    return VolumeSourceSlot().Current()();
}

int VolumeHolding(const std::vector<Volume>& volumes, const std::string& path) {
    int holder = -1;
    std::size_t holderLength = 0;
    for (std::size_t i = 0; i < volumes.size(); ++i) {
        const std::string root = path_text::Normalise(volumes[i].rootPath);
        if (path_text::HoldsPath(root, path) && (holder < 0 || root.size() > holderLength)) {
            holder = static_cast<int>(i);
            holderLength = root.size();
        }
    }
    return holder;
}

}  // namespace toolkit
