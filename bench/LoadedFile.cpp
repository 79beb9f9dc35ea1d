#include "bench/LoadedFile.h"

#include <filesystem>

#include "bench/CoreActions.h"
#include "bench/Floors.h"
#include "bench/Table.h"

namespace bench {

LoadedFile InspectLoad(const std::string& path) {
    const auto pictures = LoadAllIcons(path);
    return {std::filesystem::path(path).filename().string(), pictures.size(), ImagesHeld(pictures),
            ImageBytesHeld(pictures), ExtentsHeldBy(pictures, IconResourceExtents(path))};
}

std::string Describe(const LoadedFile& file) {
    return file.name + ": " + std::to_string(file.icons) + " icons, " +
           std::to_string(file.images) + " images, " + Bytes(static_cast<double>(file.imageBytes));
}

}  // namespace bench
