#pragma once

#include <string>
#include <vector>

#include "platform/toolkit/DriveListBox.h"

namespace toolkit {

// The volumes of the installed source (the mounted ones unless a test installed another).
std::vector<Volume> CurrentVolumes();

// The file systems mounted here, without the system's own, one per root path, sorted by root path
// (Linux: linux/MountedVolumes.cpp; Windows: the logical drives).
std::vector<Volume> MountedVolumes();

// The index of the volume holding a normalised absolute path: the one whose root is the longest
// whole-component prefix of it; -1 when none holds it.
int VolumeHolding(const std::vector<Volume>& volumes, const std::string& path);

}  // namespace toolkit
