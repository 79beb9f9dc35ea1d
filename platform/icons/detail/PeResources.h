#pragma once

#include <cstdint>
#include <memory>

#include "platform/icons/ByteSource.h"
#include "platform/icons/IconGroups.h"

// The icon groups of a PE32 / PE32+ image, read from its resource tree.
namespace platform::icons {

// The groups of the image whose "PE\0\0" signature is at `peOffset`: group i is the i-th entry of
// the RT_GROUP_ICON directory in stored order (its first language), and an entry's image is the
// first language of the RT_ICON resource its ID names. The reason when the headers are malformed or
// the image has no RT_GROUP_ICON or no RT_ICON directory.
ReadResult<std::unique_ptr<IconGroups>> OpenPeIconGroups(const ByteSource& source,
                                                         std::uint64_t peOffset);

}  // namespace platform::icons
