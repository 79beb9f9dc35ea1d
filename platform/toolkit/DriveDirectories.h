#pragma once

#include <optional>
#include <string>

// Each drive's current directory for this process: the last directory a directory list showed on
// it.
namespace toolkit::drive_directories {

// Records a directory list's new directory as the current one of the volume that holds it.
void Remember(const std::string& directory);

// The current directory recorded for the drive with that root, if any.
std::optional<std::string> Recalled(const std::string& root);

}  // namespace toolkit::drive_directories
