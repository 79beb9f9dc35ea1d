#pragma once

#include <cstdint>
#include <memory>

#include "platform/icons/ByteSource.h"
#include "platform/icons/GroupTable.h"

// The groups of one kind of resource of a 16-bit NE executable, read from its resource table.
namespace platform::icons {

// The groups of `kind` of the executable whose "NE" header is at `neOffset`: group i is the i-th
// record of the kind's group type (RT_GROUP_ICON 0x800E, RT_GROUP_CURSOR 0x800C; named or
// numbered, in stored order), and an entry's image is the item record (RT_ICON, RT_CURSOR) its ID
// names. The reason when the resource table is missing or malformed or has no groups of the kind,
// or the kind has none in NE files.
ReadResult<std::unique_ptr<GroupTable>> OpenNeIconGroups(const ByteSource& source,
                                                         std::uint64_t neOffset,
                                                         const format::ResourceKind& kind);

}  // namespace platform::icons
