#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/picture/Picture.h"

// The two actions a person waits on, without the window: the same calls the window makes, in the
// same order.
namespace bench {

// The scan's probe: icon 0 of each file through ExtractIconA, the handle given back at once with
// DestroyIcon. Returns how many files have an icon.
std::size_t ProbeIconZero(const std::vector<std::string>& paths);

// Every icon of a file: ExtractIconA for index 0, 1, ... until it gives no icon (N+1 calls), each
// handle turned into a picture by PictureDaIcona and held, as the window's mIcone holds them.
std::vector<platform::picture::IPictureDisp> LoadAllIcons(const std::string& path);

}  // namespace bench
