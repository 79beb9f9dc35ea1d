#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/format/IconFormat.h"
#include "platform/format/LittleEndian.h"
#include "platform/format/ResourceKinds.h"
#include "platform/icons/IconService.h"
#include "platform/icons/ReadResult.h"
#include "platform/icons/detail/SharedResources.h"

// The group directory (GRPICONDIR, or its cursor twin) of a PE or NE group resource.
namespace platform::icons {

inline constexpr std::size_t kMaxGroupBytes =
    format::kIconDirHeaderSize + format::kGroupEntrySize * 0xFFFF;

// The fields a group directory entry and an .ico directory entry share, their first 12 bytes
// (width, height, colours, reserved, planes, bit count, bytes in resource), read at `at`.
IconImage ReadImageEntryFields(format::Fields& fields, std::size_t at);

// The entries of a group directory of `kind`, each an image with its fields filled and no bytes
// yet: the first kMaxImagesPerGroup of them. An icon entry starts with four bytes (width, height,
// colours, reserved), a cursor entry with two WORDs (width, height, each kept modulo 256 as an
// .ico entry keeps them; colours and reserved are then 0). The reason unless the type is the
// kind's directory type, the count is not zero and every entry the count announces lies inside;
// `at` is where the bytes start in the file.
ReadResult<std::vector<IconImage>> ParseGroupDirectory(std::span<const std::uint8_t> bytes,
                                                       std::uint64_t at,
                                                       const format::ResourceKind& kind);

}  // namespace platform::icons
