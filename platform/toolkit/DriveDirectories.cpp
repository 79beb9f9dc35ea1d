#include "platform/toolkit/DriveDirectories.h"

#include <map>

#include "platform/toolkit/PathText.h"
#include "platform/toolkit/Volumes.h"

namespace toolkit::drive_directories {

namespace {

std::map<std::string, std::string>& CurrentDirectories() {
    static std::map<std::string, std::string> directories;
    return directories;
}

}  // namespace

void Remember(const std::string& directory) {
    const std::vector<Volume> volumes = CurrentVolumes();
    const int holder = VolumeHolding(volumes, directory);
    if (holder >= 0) {
        const Volume& volume = volumes[static_cast<std::size_t>(holder)];
        CurrentDirectories()[path_text::Normalise(volume.rootPath)] = directory;
    }
}

std::optional<std::string> Recalled(const std::string& root) {
    const auto found = CurrentDirectories().find(path_text::Normalise(root));
    if (found == CurrentDirectories().end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace toolkit::drive_directories
