#include "platform/icons/detail/IconHandleTable.h"

#include <limits>

namespace platform::icons {

HICON IconHandleTable::Add(std::shared_ptr<const IconGroup> group) {
    if (!group) {
        return 0;
    }
    const std::lock_guard lock(mutex_);
    constexpr std::size_t kValues = std::numeric_limits<HICON>::max();  // every value but 0
    if (live_.size() >= kValues) {
        return 0;
    }
    // Some value among the next live_.size() + 2 is neither 0 nor live.
    for (;;) {
        const HICON candidate = next_++;
        if (candidate != 0 && !live_.contains(candidate)) {
            live_.emplace(candidate, std::move(group));
            return candidate;
        }
    }
}

bool IconHandleTable::Remove(HICON icon) {
    const std::lock_guard lock(mutex_);
    return live_.erase(icon) == 1;
}

std::shared_ptr<const IconGroup> IconHandleTable::Find(HICON icon) const {
    const std::lock_guard lock(mutex_);
    const auto found = live_.find(icon);
    return found == live_.end() ? nullptr : found->second;
}

void IconHandleTable::SetNextValue(HICON value) {
    const std::lock_guard lock(mutex_);
    next_ = value;
}

std::size_t IconHandleTable::LiveCount() const {
    const std::lock_guard lock(mutex_);
    return live_.size();
}

IconHandleTable& ProcessIconTable() {
    static IconHandleTable table;
    return table;
}

}  // namespace platform::icons
