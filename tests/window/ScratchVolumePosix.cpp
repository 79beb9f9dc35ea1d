#include <filesystem>

#include "tests/window/ScratchVolume.h"

ScratchVolume::ScratchVolume(Kind, const std::string& label) : volume_{directory_.Path(), label} {}

std::string ScratchVolume::Root() const {
    return directory_.Path();
}

void ScratchVolume::RemoveRoot() {
    std::filesystem::remove_all(directory_.Path());
}

toolkit::Volume ScratchVolume::SystemRoot() {
    return {"/", "root"};
}
