#pragma once

#include <cstdint>
#include <memory>

#include "platform/icons/ByteSource.h"
#include "platform/icons/GroupTable.h"

// The groups of one kind of resource of a PE32 / PE32+ image, read from its resource tree.
namespace platform::icons {

// The groups of `kind` of the image whose "PE\0\0" signature is at `peOffset`: group i is the
// i-th entry of the kind's group directory (RT_GROUP_ICON, RT_GROUP_CURSOR) in stored order (its
// first language), and an entry's image is the first language of the item (RT_ICON, RT_CURSOR)
// its ID names; for a kind that stands alone, group i is the i-th resource of its types (their
// first language), one image each. The reason when the headers are malformed or the image has no
// group or no item directory of the kind.
ReadResult<std::unique_ptr<GroupTable>> OpenPeIconGroups(const ByteSource& source,
                                                         std::uint64_t peOffset,
                                                         const format::ResourceKind& kind);

}  // namespace platform::icons
