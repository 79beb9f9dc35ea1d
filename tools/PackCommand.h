#pragma once

#include "tools/ToolCommand.h"

// The tool's `pack` command: an .ico file built from PNG images.
namespace tool {

// The most images pack takes, as many as a group of the icon readers holds.
inline constexpr std::size_t kMaxPackedImages = 256;
// The largest PNG file pack reads.
inline constexpr std::uintmax_t kMaxPackedImageBytes = 16u << 20;

// Writes command.output as an .ico holding the PNGs command.files names, each byte for byte (with
// command.dib, each under 256 pixels a side drawn and stored as a 32-bpp DIB instead), the entries
// ordered by size, the smallest first and equal sizes in the order given. A file that is not a
// PNG with a well-formed IHDR, is over 256 pixels a side or over kMaxPackedImageBytes, or cannot
// be drawn for --dib, is reported with the reason, and then nothing is written. The file is
// written atomically. kExitOk, or kExitFailure when something was reported.
int PackIcons(const ToolCommand& command);

}  // namespace tool
