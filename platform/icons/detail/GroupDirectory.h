#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/format/IconFormat.h"
#include "platform/format/LittleEndian.h"
#include "platform/icons/IconService.h"
#include "platform/icons/ReadResult.h"
#include "platform/icons/detail/SharedResources.h"

// The icon group directory (GRPICONDIR) of a PE or NE group resource.
namespace platform::icons {

inline constexpr std::size_t kMaxGroupBytes =
    format::kIconDirHeaderSize + format::kGroupEntrySize * 0xFFFF;

// The fields a group directory entry and an .ico directory entry share, their first 12 bytes
// (width, height, colours, reserved, planes, bit count, bytes in resource), read at `at`.
IconImage ReadImageEntryFields(format::Fields& fields, std::size_t at);

// The entries of a group directory, each an image with its fields filled and no bytes yet: the
// first kMaxImagesPerGroup of them. The reason unless the type is 1 (icon), the count is not zero
// and every entry the count announces lies inside; `at` is where the bytes start in the file.
ReadResult<std::vector<IconImage>> ParseGroupDirectory(std::span<const std::uint8_t> bytes,
                                                       std::uint64_t at);

}  // namespace platform::icons
