#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/icons/ByteSource.h"
#include "platform/icons/GroupTable.h"
#include "platform/icons/IconService.h"

// The readers behind ExtractIconA and ReadIconGroup, over any byte source.
namespace platform::icons {

// The icon group at a zero-based index of the source's groups, sharing its image bytes
// (and the whole snapshot, when the same group resource was read before) with everything still
// held from the same file; the reason where ExtractIconA gives 0. May throw std::bad_alloc; the
// public entry points catch it.
ReadResult<std::shared_ptr<const IconGroup>> ReadIconGroupFrom(const ByteSource& source,
                                                               GroupTable& groups,
                                                               std::int32_t index);

// Where entry `entry` of a group's image lies and, for an item that starts with its hotspot, the
// hotspot (read now) with the image placed after it. The reason when ImageOf gives one or the
// item is too short to hold a hotspot and an image after it.
struct PlacedImage {
    ByteRange range;
    std::optional<Hotspot> hotspot;
};
ReadResult<PlacedImage> PlaceImage(const ByteSource& source, GroupTable& groups,
                                   const GroupRecord& record, std::size_t entry);

// Whether the readers take an image of this extent: not empty, not larger than any read may be.
bool IsReadableImage(const ByteRange& range);

}  // namespace platform::icons
