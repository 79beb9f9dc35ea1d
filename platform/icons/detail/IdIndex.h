#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

// Icon resources looked up by ID. A group may name up to 65535 images and a file may hold as many
// icons, so a lookup must not be a scan: the entries are sorted once (stably, so that of several
// entries with one ID the first stored wins) and then found by binary search.
namespace platform::icons {

template <typename T>
class IdIndex {
public:
    explicit IdIndex(std::vector<std::pair<std::uint16_t, T>> items) : items_(std::move(items)) {
        std::stable_sort(items_.begin(), items_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    }

    // The first stored item with this ID, or null.
    const T* Find(std::uint16_t id) const {
        const auto found = std::lower_bound(items_.begin(), items_.end(), id,
                                            [](const std::pair<std::uint16_t, T>& item,
                                               std::uint16_t key) { return item.first < key; });
        return found != items_.end() && found->first == id ? &found->second : nullptr;
    }

private:
    std::vector<std::pair<std::uint16_t, T>> items_;
};

}  // namespace platform::icons
