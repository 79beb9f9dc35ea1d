#pragma once

#include <map>
#include <vector>

#include "platform/icons/IconService.h"
#include "tools/ImageFilter.h"
#include "tools/PngEncoding.h"
#include "tools/ToolCommand.h"

// extract --hicolor: a file's icon as a freedesktop hicolor icon set, the way a desktop entry for
// a Windows program names its icon (DIR/48x48/apps/STEM.png, one file per size).
namespace tool {

// The smallest and largest side a hicolor set gets a file for.
inline constexpr int kMinHicolorSide = 16;
inline constexpr int kMaxHicolorSide = 256;

// The described group's chosen images that are square, from kMinHicolorSide to kMaxHicolorSide a
// side by their own headers, by side; each entry's size and bit count set to what its header says,
// so that EncodePng of one side's images draws the deepest of them at exactly that side.
std::map<int, DescribedIcon> HicolorSizes(const DescribedIcon& icon, const ImageChoice& choice);

// Writes, for each file, its first icon (or the one --index names) as
// command.hicolorDirectory/SIZExSIZE/apps/STEM.png for every side HicolorSizes gives (STEM:
// command.name when given), each directory made as needed and each file written atomically. A
// file that is missing, has no icon, no such side or a stem an earlier file of the run had, is
// reported on standard error and the others are still written. kExitOk, or kExitFailure when
// something was reported.
int WriteHicolorSets(const ToolCommand& command);

}  // namespace tool
