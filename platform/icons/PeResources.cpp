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

class PeIconGroups final : public IconGroups {
public:
    PeIconGroups(const ByteSource& source, PeImage image)
        : source_(source), image_(std::move(image)), tree_(source_, image_, image_.ResourceRva()) {}

    // Finds the two type directories; false when either is missing or unreadable.
    bool Open() {
        const auto types = FindTypes(tree_);
        const auto groupCounts =
            types && types->groups ? tree_.Counts(*types->groups) : std::nullopt;
        const auto iconCounts = types && types->icons ? tree_.Counts(*types->icons) : std::nullopt;
        if (!groupCounts || !iconCounts) {
            return false;
        }
        groupDirectory_ = *types->groups;
        groupCount_ = groupCounts->Total();
        icons_.emplace(tree_, *types->icons, *iconCounts);
        return true;
    }

    std::uint32_t Count() const override { return groupCount_; }

    std::optional<GroupRecord> Group(std::uint32_t index) override {
        if (index >= groupCount_) {
            return std::nullopt;
        }
        const auto entry = tree_.EntryAt(groupDirectory_, index);
        const auto languages = entry ? ResourceTree::Subdirectory(*entry) : std::nullopt;
        const auto data = languages ? tree_.FirstLanguage(*languages) : std::nullopt;
        const auto range = data ? tree_.Place(*data, kMaxGroupBytes) : std::nullopt;
        const auto bytes = range ? ReadBytes(source_, range->offset, range->length) : std::nullopt;
        auto entries = bytes ? ParseGroupDirectory(*bytes) : std::nullopt;
        if (!entries) {
            return std::nullopt;
        }
        return GroupRecord{*range, std::move(*entries)};
    }

    std::optional<ByteRange> ImageOf(const GroupRecord& group, std::size_t entry) override {
        const auto icon = icons_->Find(group.entries.at(entry).resourceId);
        const auto languages = icon ? ResourceTree::Subdirectory(*icon) : std::nullopt;
        const auto data = languages ? tree_.FirstLanguage(*languages) : std::nullopt;
        return data ? tree_.Place(*data, data->size) : std::nullopt;
    }

private:
    const ByteSource& source_;
    PeImage image_;
    ResourceTree tree_;
    std::uint32_t groupDirectory_ = 0;
    std::uint32_t groupCount_ = 0;
    std::optional<IconDirectory> icons_;
};

}  // namespace

std::unique_ptr<IconGroups> OpenPeIconGroups(const ByteSource& source, std::uint64_t peOffset) {
    auto image = PeImage::Read(source, peOffset);
    if (!image || image->ResourceRva() == 0) {
        return nullptr;
    }
    auto groups = std::make_unique<PeIconGroups>(source, std::move(*image));
    return groups->Open() ? std::move(groups) : nullptr;
}

}  // namespace platform::icons
