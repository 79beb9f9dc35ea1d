#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/icons/IconService.h"
#include "platform/toolkit/Drawable.h"

// The pixels last drawn of a few groups at a size, so that a group shown again at the same size
// (the window shows icon 0 twice, and a repaint draws it again) is not decoded again. An entry is
// known by the group's shared snapshot: a group read anew (another version of the file) is another
// snapshot, and an entry whose group is gone is never found.
namespace platform::picture {

class DrawnPixels {
public:
    // At most `capacity` entries, the least recently used going first; only pictures of at most
    // kMaxKeptPixels pixels are kept.
    explicit DrawnPixels(std::size_t capacity) : capacity_(capacity) {}

    static constexpr std::size_t kMaxKeptPixels = 256 * 256;

    // The pixels kept of the group at that size; nullopt when none are.
    std::optional<toolkit::ArgbPixels> Find(const std::shared_ptr<const icons::IconGroup>& group,
                                            int width, int height);

    // Keeps the pixels drawn of the group at their size (not when empty or too large).
    void Keep(const std::shared_ptr<const icons::IconGroup>& group,
              const toolkit::ArgbPixels& drawn);

private:
    struct Entry {
        std::weak_ptr<const icons::IconGroup> group;
        const icons::IconGroup* key = nullptr;
        toolkit::ArgbPixels pixels;
    };

    std::mutex mutex_;
    std::size_t capacity_;
    std::list<Entry> entries_;  // the most recently used first
};

// The process's kept drawings, which every picture draws through.
DrawnPixels& ProcessDrawnPixels();

}  // namespace platform::picture
