#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/icons/IconService.h"

// The table of live icon handles: each a non-zero 32-bit value owning one group snapshot. Values
// are handed out in turn, wrap around past 0xFFFFFFFF, skip 0 and every value still live.
namespace platform::icons {

class IconHandleTable {
public:
    // `firstValue` is the first value tried (tests start near the wrap-around point).
    explicit IconHandleTable(HICON firstValue = 1) : next_(firstValue) {}

    // A new handle owning the snapshot; 0 when the snapshot is null or no value is free.
    HICON Add(std::shared_ptr<const IconGroup> group);

    // Frees a handle; false when it is not live.
    bool Remove(HICON icon);

    std::shared_ptr<const IconGroup> Find(HICON icon) const;

    // Where the search for the next free value starts (tests reach the wrap-around and live
    // values with it).
    void SetNextValue(HICON value);

    std::size_t LiveCount() const;

private:
    mutable std::mutex mutex_;
    std::unordered_map<HICON, std::shared_ptr<const IconGroup>> live_;
    HICON next_;
};

// The process-wide table behind ExtractIconA and DestroyIcon.
IconHandleTable& ProcessIconTable();

}  // namespace platform::icons
