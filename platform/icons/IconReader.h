#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/icons/IconService.h"

// The format readers behind ExtractIconA, reachable on a memory buffer for tests and fuzzing.
namespace platform::icons {

// The icon group at a zero-based index of a file held in memory (PE32, PE32+, NE or .ico);
// std::nullopt where ExtractIconA would give 0.
std::optional<IconGroup> ReadIconGroup(std::span<const std::uint8_t> file, std::int32_t index);

}  // namespace platform::icons
