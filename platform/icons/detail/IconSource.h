#pragma once

#include <cstdint>
#include <memory>

#include "platform/icons/ByteSource.h"
#include "platform/icons/IconGroups.h"
#include "platform/icons/IconService.h"

// The readers behind ExtractIconA and ReadIconGroup, over any byte source.
namespace platform::icons {

// The icon group at a zero-based index of the source's groups, sharing its image bytes
// (and the whole snapshot, when the same group resource was read before) with everything still
// held from the same file; the reason where ExtractIconA gives 0. May throw std::bad_alloc; the
// public entry points catch it.
ReadResult<std::shared_ptr<const IconGroup>> ReadIconGroupFrom(const ByteSource& source,
                                                               IconGroups& groups,
                                                               std::int32_t index);

// Whether the readers take an image of this extent: not empty, not larger than any read may be.
bool IsReadableImage(const ByteRange& range);

}  // namespace platform::icons
