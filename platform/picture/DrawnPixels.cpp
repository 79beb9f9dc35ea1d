#include "platform/picture/DrawnPixels.h"

namespace platform::picture {

std::optional<toolkit::ArgbPixels> DrawnPixels::Find(
    const std::shared_ptr<const icons::IconGroup>& group, int width, int height) {
    const std::lock_guard lock(mutex_);
    for (auto entry = entries_.begin(); entry != entries_.end(); ++entry) {
        if (entry->key == group.get() && entry->pixels.width == width &&
            entry->pixels.height == height && entry->group.lock() == group) {
            entries_.splice(entries_.begin(), entries_, entry);
            return entries_.front().pixels;
        }
    }
    return std::nullopt;
}

void DrawnPixels::Keep(const std::shared_ptr<const icons::IconGroup>& group,
                       const toolkit::ArgbPixels& drawn) {
    if (!group || drawn.pixels.empty() || drawn.pixels.size() > kMaxKeptPixels || capacity_ == 0) {
        return;
    }
    const std::lock_guard lock(mutex_);
    std::erase_if(entries_, [](const Entry& entry) { return entry.group.expired(); });
    entries_.push_front(Entry{group, group.get(), drawn});
    while (entries_.size() > capacity_) {
        entries_.pop_back();
    }
}

DrawnPixels& ProcessDrawnPixels() {
    // The previews of one icon at a few box sizes, and the list's small pictures around them.
    static DrawnPixels kept(8);
    return kept;
}

}  // namespace platform::picture
