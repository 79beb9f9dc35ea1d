#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/icons/IconService.h"

// The icon group directory (GRPICONDIR) of a PE or NE group resource, and the collection of a
// group's images under a byte budget.
namespace platform::icons {

inline constexpr std::size_t kGroupHeaderSize = 6;
inline constexpr std::size_t kGroupEntrySize = 14;
inline constexpr std::size_t kMaxGroupBytes = kGroupHeaderSize + kGroupEntrySize * 0xFFFF;

class Fields;

// The fields a group directory entry and an .ico directory entry share, their first 12 bytes
// (width, height, colours, reserved, planes, bit count, bytes in resource), read at `at`.
IconImage ReadImageEntryFields(Fields& fields, std::size_t at);

// The entries of a group directory, each an image with its fields filled and no bytes yet.
// Nullopt unless the type is 1 (icon), the count is not zero and every entry lies inside.
std::optional<std::vector<IconImage>> ParseGroupDirectory(std::span<const std::uint8_t> bytes);

// Gathers the images of one group while keeping the total bytes under a budget, so that a group
// naming one large image many times cannot make the snapshot larger than the budget.
class GroupCollector {
public:
    explicit GroupCollector(std::uint64_t budget) : remaining_(budget) {}

    // Whether an image of this many bytes still fits the budget.
    bool Admits(std::uint64_t length) const { return length <= remaining_; }

    // Adds an image (the entry's fields with the bytes read for it); false when it is empty or over
    // budget.
    bool Add(IconImage entry, std::vector<std::uint8_t> bytes);

    // The group, or nullopt when no image was added.
    std::optional<IconGroup> Finish() &&;

private:
    std::uint64_t remaining_;
    IconGroup group_;
};

// The budget for the images of one group read from a source of this size.
std::uint64_t ImageBudgetFor(std::uint64_t sourceSize);

}  // namespace platform::icons
