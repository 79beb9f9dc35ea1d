#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/icons/detail/IdIndex.h"
#include "platform/icons/detail/ResourceTree.h"

// The RT_ICON directory of a PE image, searched by ID without reading all of it. Linkers store the
// ID entries in ascending order, so a binary search over the file finds an ID in about log2(M)
// small reads, and a short run of entries read around a hit serves the group's other images (their
// IDs are usually neighbours, listed up or down). Nothing relies on the order for correctness: an
// ID the search does not find is looked for again in one read of the whole directory.
namespace platform::icons {

class IconDirectory {
public:
    IconDirectory(const ResourceTree& tree, std::uint32_t offset, DirectoryCounts counts)
        : tree_(tree), offset_(offset), counts_(counts) {}

    // The entry of RT_ICON `id`: when IDs are in order the first stored with that ID, otherwise
    // one with that ID. Nullopt when there is none or the directory cannot be read.
    std::optional<ResourceEntry> Find(std::uint16_t id);

private:
    static constexpr std::uint32_t kRunReach = 32;  // entries read on each side of a hit

    std::optional<ResourceEntry> FromRun(std::uint16_t id) const;
    std::optional<std::uint32_t> LowerBound(std::uint16_t id) const;
    std::optional<ResourceEntry> Search(std::uint16_t id);
    std::optional<ResourceEntry> Scan(std::uint16_t id);

    const ResourceTree& tree_;
    std::uint32_t offset_;
    DirectoryCounts counts_;
    std::uint32_t runStart_ = 0;
    std::vector<ResourceEntry> run_;             // entries read around the last hit
    std::optional<IdIndex<ResourceEntry>> all_;  // the whole directory, once a search missed
    bool allUnreadable_ = false;
};

}  // namespace platform::icons
