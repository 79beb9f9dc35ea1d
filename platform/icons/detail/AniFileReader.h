#pragma once

#include <memory>

#include "platform/icons/ByteSource.h"
#include "platform/icons/IconGroups.h"

// An animated cursor file (.ani: a RIFF "ACON" file) read as one group of one image, the whole
// file.
namespace platform::icons {

// The file as one group (index 0) of `kind` whose one image is every byte of the file. The reason
// unless it starts with "RIFF", a size, and "ACON".
ReadResult<std::unique_ptr<IconGroups>> OpenAniFileGroups(const ByteSource& source,
                                                          const format::ResourceKind& kind);

}  // namespace platform::icons
