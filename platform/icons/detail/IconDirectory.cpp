#include "platform/icons/detail/IconDirectory.h"

#include <algorithm>

namespace platform::icons {

std::optional<ResourceEntry> IconDirectory::Find(std::uint16_t id) {
    if (all_) {
        return Scan(id);
    }
    if (auto hit = FromRun(id)) {
        return hit;
    }
    if (auto hit = Search(id)) {
        return hit;
    }
    return Scan(id);
}

// In sorted order every entry with an ID above the run's first lies after it, so the first match
// in the run is the first stored one; so it is when the run starts at the first ID entry.
std::optional<ResourceEntry> IconDirectory::FromRun(std::uint16_t id) const {
    if (run_.empty() || (runStart_ > counts_.named && id <= run_.front().Id())) {
        return std::nullopt;
    }
    const auto found = std::find_if(run_.begin(), run_.end(),
                                    [id](const ResourceEntry& entry) { return entry.HasId(id); });
    return found == run_.end() ? std::nullopt : std::optional<ResourceEntry>(*found);
}

// The first ID entry whose ID is not below `id`, if the entries are in order.
std::optional<std::uint32_t> IconDirectory::LowerBound(std::uint16_t id) const {
    std::uint32_t low = counts_.named;
    std::uint32_t high = counts_.Total();
    while (low < high) {
        const std::uint32_t middle = low + (high - low) / 2;
        const auto entry = tree_.EntryAt(offset_, middle);
        if (!entry || entry->IsNamed()) {
            return std::nullopt;  // unreadable, or not sorted the way linkers sort
        }
        if (entry->Id() < id) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

std::optional<ResourceEntry> IconDirectory::Search(std::uint16_t id) {
    const auto at = LowerBound(id);
    if (!at || *at >= counts_.Total()) {
        return std::nullopt;
    }
    const std::uint32_t start = *at - std::min(kRunReach, *at - counts_.named);
    const std::uint32_t length = (*at - start) + std::min(kRunReach, counts_.Total() - *at);
    auto run = tree_.EntriesAt(offset_, start, length);
    if (!run || !(*run)[*at - start].HasId(id)) {
        return std::nullopt;
    }
    runStart_ = start;
    run_ = std::move(*run);
    return run_[*at - start];
}

std::optional<ResourceEntry> IconDirectory::Scan(std::uint16_t id) {
    if (!all_ && !allUnreadable_) {
        const auto entries = tree_.EntriesAt(offset_, 0, counts_.Total());
        allUnreadable_ = !entries;
        if (entries) {
            std::vector<std::pair<std::uint16_t, ResourceEntry>> items;
            items.reserve(entries->size());
            for (const ResourceEntry& entry : *entries) {
                if (!entry.IsNamed()) {
                    items.emplace_back(entry.Id(), entry);
                }
            }
            all_.emplace(std::move(items));
        }
    }
    const ResourceEntry* found = all_ ? all_->Find(id) : nullptr;
    return found ? std::optional<ResourceEntry>(*found) : std::nullopt;
}

}  // namespace platform::icons
