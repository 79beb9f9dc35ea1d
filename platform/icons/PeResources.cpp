#include "platform/icons/PeResources.h"

#include "platform/icons/GroupDirectory.h"
#include "platform/icons/IconDirectory.h"
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
    const auto counts = tree.Counts(groupDirectory);
    if (!counts || index >= counts->Total()) {
        return std::nullopt;
    }
    const auto entry = tree.EntryAt(groupDirectory, index);
    const auto languages = entry ? ResourceTree::Subdirectory(*entry) : std::nullopt;
    const auto data = languages ? tree.FirstLanguage(*languages) : std::nullopt;
    const auto bytes = data ? tree.Bytes(*data, kMaxGroupBytes) : std::nullopt;
    return bytes ? ParseGroupDirectory(*bytes) : std::nullopt;
}

// The data of RT_ICON `id`: its entry's first language.
std::optional<ResourceData> FindIcon(const ResourceTree& tree, IconDirectory& icons,
                                     std::uint16_t id) {
    const auto icon = icons.Find(id);
    const auto languages = icon ? ResourceTree::Subdirectory(*icon) : std::nullopt;
    return languages ? tree.FirstLanguage(*languages) : std::nullopt;
}

std::optional<IconGroup> CollectImages(const ResourceTree& tree, std::uint32_t iconDirectory,
                                       std::vector<IconImage> entries, std::uint64_t budget) {
    const auto counts = tree.Counts(iconDirectory);
    if (!counts) {
        return std::nullopt;
    }
    IconDirectory icons(tree, iconDirectory, *counts);
    GroupCollector collector(budget);
    for (IconImage& entry : entries) {
        const auto data = FindIcon(tree, icons, entry.resourceId);
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
