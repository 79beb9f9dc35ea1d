#include "platform/icons/PeResources.h"

#include "platform/icons/GroupDirectory.h"
#include "platform/icons/IdIndex.h"
#include "platform/icons/PeImage.h"
#include "platform/icons/ResourceTree.h"

namespace platform::icons {

namespace {

constexpr std::uint16_t kRtIcon = 3;
constexpr std::uint16_t kRtGroupIcon = 14;

struct TypeDirectories {
    std::optional<std::uint32_t> groups;
    std::optional<std::uint32_t> icons;
};

// The directories of RT_GROUP_ICON and RT_ICON in the root (the first entry of each type).
std::optional<TypeDirectories> FindTypes(const ResourceTree& tree) {
    const auto types = tree.Entries(0);
    if (!types) {
        return std::nullopt;
    }
    TypeDirectories found;
    for (const ResourceEntry& type : *types) {
        if (!found.groups && type.HasId(kRtGroupIcon)) {
            found.groups = ResourceTree::Subdirectory(type);
        } else if (!found.icons && type.HasId(kRtIcon)) {
            found.icons = ResourceTree::Subdirectory(type);
        }
    }
    return found;
}

std::optional<std::vector<IconImage>> ReadGroupEntries(const ResourceTree& tree,
                                                       std::uint32_t groupDirectory,
                                                       std::uint32_t index) {
    const auto count = tree.EntryCount(groupDirectory);
    if (!count || index >= *count) {
        return std::nullopt;
    }
    const auto entry = tree.EntryAt(groupDirectory, index);
    const auto languages = entry ? ResourceTree::Subdirectory(*entry) : std::nullopt;
    const auto data = languages ? tree.FirstLanguage(*languages) : std::nullopt;
    const auto bytes = data ? tree.Bytes(*data, kMaxGroupBytes) : std::nullopt;
    return bytes ? ParseGroupDirectory(*bytes) : std::nullopt;
}

// The RT_ICON entries with an ID (string-named ones cannot be named by a group).
IdIndex<ResourceEntry> IndexIcons(const std::vector<ResourceEntry>& icons) {
    std::vector<std::pair<std::uint16_t, ResourceEntry>> items;
    items.reserve(icons.size());
    for (const ResourceEntry& icon : icons) {
        if (!icon.IsNamed()) {
            items.emplace_back(icon.Id(), icon);
        }
    }
    return IdIndex<ResourceEntry>(std::move(items));
}

// The data of RT_ICON `id`: the first stored entry with that ID, its first language.
std::optional<ResourceData> FindIcon(const ResourceTree& tree, const IdIndex<ResourceEntry>& icons,
                                     std::uint16_t id) {
    const ResourceEntry* icon = icons.Find(id);
    const auto languages = icon ? ResourceTree::Subdirectory(*icon) : std::nullopt;
    return languages ? tree.FirstLanguage(*languages) : std::nullopt;
}

std::optional<IconGroup> CollectImages(const ResourceTree& tree, std::uint32_t iconDirectory,
                                       std::vector<IconImage> entries, std::uint64_t budget) {
    const auto icons = tree.Entries(iconDirectory);
    if (!icons) {
        return std::nullopt;
    }
    const IdIndex<ResourceEntry> index = IndexIcons(*icons);
    GroupCollector collector(budget);
    for (IconImage& entry : entries) {
        const auto data = FindIcon(tree, index, entry.resourceId);
        if (!data || !collector.Admits(data->size)) {
            continue;  // an image that cannot be found is left out
        }
        if (auto bytes = tree.Bytes(*data, data->size)) {
            collector.Add(std::move(entry), std::move(*bytes));
        }
    }
    return std::move(collector).Finish();
}

}  // namespace

std::optional<IconGroup> ReadPeIconGroup(const ByteSource& source, std::uint64_t peOffset,
                                         std::uint32_t index) {
    const auto image = PeImage::Read(source, peOffset);
    if (!image || image->ResourceRva() == 0) {
        return std::nullopt;
    }
    const ResourceTree tree(source, *image, image->ResourceRva());
    const auto types = FindTypes(tree);
    if (!types || !types->groups || !types->icons) {
        return std::nullopt;
    }
    auto entries = ReadGroupEntries(tree, *types->groups, index);
    if (!entries) {
        return std::nullopt;
    }
    return CollectImages(tree, *types->icons, std::move(*entries), ImageBudgetFor(source.Size()));
}

}  // namespace platform::icons
