#pragma once

#include <cstdint>
#include <optional>

#include "platform/icons/ByteSource.h"
#include "platform/icons/IconService.h"

// The icon groups of a PE32 / PE32+ image, read from its resource tree.
namespace platform::icons {

// The group at `index` (the index-th entry of the RT_GROUP_ICON directory, in stored order; its
// first language) of the image whose "PE\0\0" signature is at `peOffset`, with every image that
// resolves to an RT_ICON resource. Nullopt when there is no such group or none of its images
// can be read.
std::optional<IconGroup> ReadPeIconGroup(const ByteSource& source, std::uint64_t peOffset,
                                         std::uint32_t index);

}  // namespace platform::icons
