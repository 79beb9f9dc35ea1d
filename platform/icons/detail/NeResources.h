#pragma once

#include <cstdint>
#include <memory>

#include "platform/icons/ByteSource.h"
#include "platform/icons/IconGroups.h"

// The icon groups of a 16-bit NE executable, read from its resource table.
namespace platform::icons {

// The groups of the executable whose "NE" header is at `neOffset`: group i is the i-th record of
// the RT_GROUP_ICON type (named or numbered, in stored order), and an entry's image is the
// RT_ICON record its ID names. The reason when the resource table is missing or malformed or has
// no icon groups.
ReadResult<std::unique_ptr<IconGroups>> OpenNeIconGroups(const ByteSource& source,
                                                         std::uint64_t neOffset);

}  // namespace platform::icons
