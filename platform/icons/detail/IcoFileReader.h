#pragma once

#include <memory>

#include "platform/icons/ByteSource.h"
#include "platform/icons/IconGroups.h"

// An .ico file read as one icon group holding all of its images.
namespace platform::icons {

// The file as one group (index 0) holding every image whose data lies inside the file and starts
// like a DIB or a PNG. The reason unless the header is an icon header (reserved 0, type 1,
// count > 0).
ReadResult<std::unique_ptr<IconGroups>> OpenIcoIconGroups(const ByteSource& source);

}  // namespace platform::icons
