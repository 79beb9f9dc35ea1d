#pragma once

#include <cstdint>
#include <optional>

#include "platform/icons/ByteSource.h"
#include "platform/icons/IconService.h"

// The icon groups of a 16-bit NE executable, read from its resource table.
namespace platform::icons {

// The group at `index` (the index-th record of the RT_GROUP_ICON type, named or numbered, in
// stored order) of the executable whose "NE" header is at `neOffset`. Nullopt when there is no
// such group or none of its images can be read.
std::optional<IconGroup> ReadNeIconGroup(const ByteSource& source, std::uint64_t neOffset,
                                         std::uint32_t index);

}  // namespace platform::icons
