#pragma once

#include <cstdint>
#include <optional>

#include "platform/icons/ByteSource.h"
#include "platform/icons/IconService.h"

// The readers behind ExtractIconA and ReadIconGroup, over any byte source.
namespace platform::icons {

// The icon group at a zero-based index of a PE32, PE32+, NE or .ico source; nullopt where
// ExtractIconA gives 0. May throw std::bad_alloc; the public entry points catch it.
std::optional<IconGroup> ReadIconGroupFrom(const ByteSource& source, std::int32_t index);

}  // namespace platform::icons
