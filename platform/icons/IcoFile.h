#pragma once

#include <optional>

#include "platform/icons/ByteSource.h"
#include "platform/icons/IconService.h"

// An .ico file read as one icon group holding all of its images.
namespace platform::icons {

// Every image of the file (entries whose data lies inside the file and starts like a DIB or a
// PNG). Nullopt unless the header is an icon header (reserved 0, type 1, count > 0) whose entries
// all lie inside the file, and at least one image can be read.
std::optional<IconGroup> ReadIcoFile(const ByteSource& source);

}  // namespace platform::icons
