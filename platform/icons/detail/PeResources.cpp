#include "platform/icons/detail/PeResources.h"

#include "platform/icons/detail/GroupDirectory.h"
#include "platform/icons/detail/IconDirectory.h"
#include "platform/icons/detail/PeImage.h"
#include "platform/icons/detail/ResourceTree.h"

namespace platform::icons {

namespace {

constexpr std::uint16_t kRtIcon = 3;
constexpr std::uint16_t kRtGroupIcon = 14;

struct TypeDirectories {
    std::optional<ResourceEntry> groups;
    std::optional<ResourceEntry> icons;
};

// The root entries of RT_GROUP_ICON and RT_ICON (the first entry of each type).
ReadResult<TypeDirectories> FindTypes(const ResourceTree& tree) {
    const auto types = tree.Entries(0);
    if (!types) {
        return types.error();
    }
    TypeDirectories found;
    for (const ResourceEntry& type : *types) {
        if (!found.groups && type.HasId(kRtGroupIcon)) {
            found.groups = type;
        } else if (!found.icons && type.HasId(kRtIcon)) {
            found.icons = type;
        }
    }
    return found;
}

// The directory a type entry leads to, with its counts.
ReadResult<std::pair<std::uint32_t, DirectoryCounts>> TypeDirectory(
    const ResourceTree& tree, const std::optional<ResourceEntry>& type, const char* name,
    const char* typeEntry) {
    if (!type) {
        return Failure(std::string("the resource table has no ") + name);
    }
    const auto directory = ResourceTree::Subdirectory(*type, typeEntry);
    const auto counts = directory ? tree.Counts(*directory) : directory.error();
    if (!counts) {
        return counts.error();
    }
    return std::pair{*directory, *counts};
}

// The first language's data entry of the resource a name entry leads to.
ReadResult<ResourceData> DataOf(const ResourceTree& tree, const ResourceEntry& entry,
                                const Subject& what) {
    const auto languages = ResourceTree::Subdirectory(entry, what);
    return languages ? tree.FirstLanguage(*languages) : languages.error();
}

// Where the first language of the resource a name entry leads to lies in the file.
ReadResult<ByteRange> PlaceOf(const ResourceTree& tree, const ResourceEntry& entry,
                              const Subject& what, std::uint64_t limit) {
    const auto data = DataOf(tree, entry, what);
    if (!data) {
        return data.error();
    }
    return tree.Place(*data, std::min<std::uint64_t>(data->size, limit));
}

// What a name entry calls its resource, with the language of the copy read. A string name that
// cannot be read is left empty.
ResourceName NameOf(const ResourceTree& tree, const ResourceEntry& entry,
                    const ResourceData& data) {
    ResourceName name;
    if (entry.IsNamed()) {
        const auto text = tree.NameAt(entry.name & 0x7FFFFFFFu);
        name.name = text ? *text : std::string();
    } else {
        name.id = entry.Id();
    }
    name.language = data.language;
    return name;
}

class PeIconGroups final : public IconGroups {
public:
    PeIconGroups(const ByteSource& source, PeImage image)
        : source_(source), image_(std::move(image)), tree_(source_, image_, image_.ResourceRva()) {}

    // Finds the two type directories.
    ReadResult<bool> Open() {
        const auto types = FindTypes(tree_);
        if (!types) {
            return types.error();
        }
        const auto groups = TypeDirectory(tree_, types->groups, "icon groups (RT_GROUP_ICON)",
                                          "the icon groups (RT_GROUP_ICON) type entry");
        if (!groups) {
            return groups.error();
        }
        const auto icons =
            TypeDirectory(tree_, types->icons, "icons (RT_ICON)", "the icons (RT_ICON) type entry");
        if (!icons) {
            return icons.error();
        }
        groupDirectory_ = groups->first;
        groupCount_ = groups->second.Total();
        icons_.emplace(tree_, icons->first, icons->second);
        return true;
    }

    std::uint32_t Count() const override { return groupCount_; }

    ReadResult<GroupRecord> Group(std::uint32_t index) override {
        const Subject what("icon group entry", index);
        const auto entry = tree_.EntryAt(groupDirectory_, index);
        const auto data = entry ? DataOf(tree_, *entry, what) : entry.error();
        const auto range =
            data ? tree_.Place(*data, std::min<std::uint64_t>(data->size, kMaxGroupBytes))
                 : data.error();
        const auto bytes =
            range ? ReadStructure(source_, range->offset, range->length, "group directory")
                  : range.error();
        auto entries = bytes ? ParseGroupDirectory(*bytes, range->offset) : bytes.error();
        if (!entries) {
            return entries.error();
        }
        return GroupRecord{*range, std::move(*entries), NameOf(tree_, *entry, *data)};
    }

    ReadResult<ByteRange> ImageOf(const GroupRecord& group, std::size_t entry) override {
        const std::uint16_t id = group.entries.at(entry).resourceId;
        const auto icon = icons_->Find(id);
        if (!icon) {
            return Failure("the file has no icon resource (RT_ICON) " + std::to_string(id));
        }
        return PlaceOf(tree_, *icon, Subject("icon resource", id), kMaxRead + 1);
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

ReadResult<std::unique_ptr<IconGroups>> OpenPeIconGroups(const ByteSource& source,
                                                         std::uint64_t peOffset) {
    auto image = PeImage::Read(source, peOffset);
    if (!image) {
        return image.error();
    }
    if (image->ResourceRva() == 0) {
        return Failure("the executable has no resource table");
    }
    auto groups = std::make_unique<PeIconGroups>(source, std::move(*image));
    if (const auto opened = groups->Open(); !opened) {
        return opened.error();
    }
    return std::unique_ptr<IconGroups>(std::move(groups));
}

}  // namespace platform::icons
