#include "platform/icons/detail/PeResources.h"

#include <array>

#include "platform/icons/detail/AniFileReader.h"
#include "platform/icons/detail/GroupDirectory.h"
#include "platform/icons/detail/IconDirectory.h"
#include "platform/icons/detail/PeImage.h"
#include "platform/icons/detail/ResourceTree.h"

namespace platform::icons {

namespace {

// The first root entry of each of these types (0: none asked), in the order asked.
ReadResult<std::array<std::optional<ResourceEntry>, 3>> FindTypes(
    const ResourceTree& tree, const std::array<std::uint16_t, 3>& wanted) {
    const auto types = tree.Entries(0);
    if (!types) {
        return types.error();
    }
    std::array<std::optional<ResourceEntry>, 3> found;
    for (const ResourceEntry& type : *types) {
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            if (wanted[i] != 0 && !found[i] && type.HasId(wanted[i])) {
                found[i] = type;
                break;
            }
        }
    }
    return found;
}

// The directory a type entry leads to, with its counts.
ReadResult<std::pair<std::uint32_t, DirectoryCounts>> TypeDirectory(
    const ResourceTree& tree, const std::optional<ResourceEntry>& type, const char* name,
    const char* typeEntry = nullptr) {
    if (!type) {
        return Failure(std::string("the resource table has no ") + name);
    }
    const std::string entryWord = std::string("the ") + name + " type entry";
    const auto directory =
        ResourceTree::Subdirectory(*type, typeEntry ? typeEntry : entryWord.c_str());
    const auto counts = directory.Then([&](const auto& found) { return tree.Counts(found); });
    if (!counts) {
        return counts.error();
    }
    return std::pair{*directory, *counts};
}

// The first language's data entry of the resource a name entry leads to.
ReadResult<ResourceData> DataOf(const ResourceTree& tree, const ResourceEntry& entry,
                                const Subject& what) {
    const auto languages = ResourceTree::Subdirectory(entry, what);
    return languages.Then([&](const auto& found) { return tree.FirstLanguage(found); });
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

// What a PE image holds of a kind: its resource tree, read through its section table.
class PeResources : public GroupTable {
public:
    PeResources(const ByteSource& source, PeImage image, const format::ResourceKind& kind)
        : source_(source),
          image_(std::move(image)),
          tree_(source_, image_, image_.ResourceRva()),
          kind_(kind) {}

    const format::ResourceKind& Kind() const override { return kind_; }

    // Finds the kind's type directories.
    virtual ReadResult<bool> Open() = 0;

protected:
    const ByteSource& source_;
    PeImage image_;
    ResourceTree tree_;
    const format::ResourceKind& kind_;
};

// Groups whose directories name their items by ID (icons, cursors).
class PeGroups final : public PeResources {
public:
    using PeResources::PeResources;

    ReadResult<bool> Open() override {
        const auto types = FindTypes(tree_, {kind_.peGroupType, kind_.peItemTypes[0], 0});
        if (!types) {
            return types.error();
        }
        const auto groups = TypeDirectory(tree_, (*types)[0], kind_.groupsWord);
        if (!groups) {
            return groups.error();
        }
        const auto icons = TypeDirectory(tree_, (*types)[1], kind_.itemsWord);
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
        const Subject what(kind_.groupNoun, " entry", index);
        const auto entry = tree_.EntryAt(groupDirectory_, index);
        const auto data = entry ? DataOf(tree_, *entry, what) : entry.error();
        const auto range =
            data ? tree_.Place(*data, std::min<std::uint64_t>(data->size, kMaxGroupBytes))
                 : data.error();
        const auto bytes =
            range ? ReadStructure(source_, range->offset, range->length, "group directory")
                  : range.error();
        auto entries = bytes.Then([&](const std::vector<std::uint8_t>& directory) {
            return ParseGroupDirectory(directory, range->offset, kind_);
        });
        if (!entries) {
            return entries.error();
        }
        return GroupRecord{*range, std::move(*entries), NameOf(tree_, *entry, *data),
                           kind_.itemsStartWithHotspot};
    }

    ReadResult<ByteRange> ImageOf(const GroupRecord& group, std::size_t entry) override {
        const std::uint16_t id = group.entries.at(entry).resourceId;
        const auto icon = icons_->Find(id);
        if (!icon) {
            return Failure(std::string("the file has no ") + kind_.itemWord + " " +
                           std::to_string(id));
        }
        return PlaceOf(tree_, *icon, Subject(kind_.itemNoun, id), kMaxRead + 1);
    }

private:
    std::uint32_t groupDirectory_ = 0;
    std::uint32_t groupCount_ = 0;
    std::optional<IconDirectory> icons_;
};

// Resources that stand alone (animated cursors and icons): group i is the i-th resource of the
// kind's first type, then of its second, each one image that is the whole resource.
class PeStandalone final : public PeResources {
public:
    using PeResources::PeResources;

    ReadResult<bool> Open() override {
        const auto types =
            FindTypes(tree_, {kind_.peItemTypes[0], kind_.peItemTypes[1], std::uint16_t{0}});
        if (!types) {
            return types.error();
        }
        for (const auto& type : *types) {
            if (!type) {
                continue;
            }
            const auto directory = TypeDirectory(tree_, type, kind_.itemsWord);
            if (!directory) {
                return directory.error();
            }
            directories_.push_back(*directory);
            count_ += directories_.back().second.Total();
        }
        if (directories_.empty()) {
            return Failure(std::string("the resource table has no ") + kind_.groupsWord);
        }
        return true;
    }

    std::uint32_t Count() const override { return count_; }

    ReadResult<GroupRecord> Group(std::uint32_t index) override {
        const Subject what(kind_.groupNoun, " entry", index);
        std::uint32_t at = index;
        std::size_t type = 0;
        while (type + 1 < directories_.size() && at >= directories_[type].second.Total()) {
            at -= directories_[type++].second.Total();
        }
        const auto entry = tree_.EntryAt(directories_[type].first, at);
        const auto data = entry ? DataOf(tree_, *entry, what) : entry.error();
        const auto range =
            data ? tree_.Place(*data, std::min<std::uint64_t>(data->size, kMaxRead + 1))
                 : data.error();
        if (!range) {
            return range.error();
        }
        IconImage image;
        image.bytesInRes = data->size;
        image.resourceId = entry->IsNamed() ? 0 : entry->Id();
        return GroupRecord{*range, {image}, NameOf(tree_, *entry, *data)};
    }

    ReadResult<ByteRange> ImageOf(const GroupRecord& group, std::size_t /*entry*/) override {
        return CheckAnimatedCursor(source_, group.range,
                                   std::string(kind_.itemNoun) + " " + group.name.Label());
    }

private:
    std::vector<std::pair<std::uint32_t, DirectoryCounts>> directories_;
    std::uint32_t count_ = 0;
};

}  // namespace

ReadResult<std::unique_ptr<GroupTable>> OpenPeIconGroups(const ByteSource& source,
                                                         std::uint64_t peOffset,
                                                         const format::ResourceKind& kind) {
    auto image = PeImage::Read(source, peOffset);
    if (!image) {
        return image.error();
    }
    if (image->ResourceRva() == 0) {
        return Failure("the executable has no resource table");
    }
    std::unique_ptr<PeResources> groups;
    if (kind.StandsAlone()) {
        groups = std::make_unique<PeStandalone>(source, std::move(*image), kind);
    } else {
        groups = std::make_unique<PeGroups>(source, std::move(*image), kind);
    }
    if (const auto opened = groups->Open(); !opened) {
        return opened.error();
    }
    return std::unique_ptr<GroupTable>(std::move(groups));
}

}  // namespace platform::icons
