#include "platform/icons/detail/NeResources.h"

#include <algorithm>

#include "platform/format/LittleEndian.h"
#include "platform/icons/detail/GroupDirectory.h"
#include "platform/icons/detail/IdIndex.h"

namespace platform::icons {

namespace {

constexpr std::size_t kNeHeaderSize = 0x40;
constexpr std::size_t kResourceTableOffsetField = 0x24;
constexpr std::size_t kTypeRecordSize = 8;
constexpr std::size_t kResourceRecordSize = 12;
constexpr std::uint16_t kMaxAlignShift = 16;
constexpr std::size_t kMaxTypeRecords = 1024;

// The records of one resource type: where they start and how many there are.
struct TypeRecords {
    std::uint64_t first = 0;
    std::uint16_t count = 0;
};

struct ResourceTable {
    std::uint64_t at = 0;  // where the table starts: names are at offsets from here
    std::uint16_t shift = 0;
    std::optional<TypeRecords> groups;
    std::optional<TypeRecords> icons;
};

// A resource's place in the file, in bytes.
struct NeResource {
    std::uint64_t offset = 0;
    std::uint64_t length = 0;  // the stored length: whole alignment units
};

ReadResult<std::uint64_t> ResourceTableOffset(const ByteSource& source, std::uint64_t neOffset) {
    const auto header = ReadStructure<kNeHeaderSize>(source, neOffset, "NE header");
    if (!header) {
        return header.error();
    }
    const std::uint16_t offset = format::Fields(*header).U16(kResourceTableOffsetField);
    if (offset == 0) {
        return Failure("the executable has no resource table");
    }
    return neOffset + offset;
}

// Walks the type records (each one read on its own, a bounded number of them) until both of the
// kind's types are found, the table ends or a record cannot be read.
ReadResult<ResourceTable> ReadResourceTable(const ByteSource& source, std::uint64_t at,
                                            const format::ResourceKind& kind) {
    const auto shiftBytes = ReadStructure<2>(source, at, "resource table");
    if (!shiftBytes) {
        return shiftBytes.error();
    }
    ResourceTable table;
    table.at = at;
    table.shift = format::Fields(*shiftBytes).U16(0);
    if (table.shift > kMaxAlignShift) {
        return Failure("resource table at " + Hex(at) + ": alignment shift " +
                       std::to_string(table.shift) + " is over " + std::to_string(kMaxAlignShift));
    }
    at += 2;
    for (std::size_t i = 0; i < kMaxTypeRecords && !(table.groups && table.icons); ++i) {
        const auto record = ReadFixed<kTypeRecordSize>(source, at);
        if (!record) {
            break;
        }
        format::Fields fields(*record);
        const std::uint16_t type = fields.U16(0);
        const std::uint16_t count = fields.U16(2);
        if (type == 0) {
            break;
        }
        const TypeRecords records{at + kTypeRecordSize, count};
        if (type == kind.neGroupType && !table.groups) {
            table.groups = records;
        } else if (type == kind.neItemType && !table.icons) {
            table.icons = records;
        }
        at += kTypeRecordSize + std::uint64_t{count} * kResourceRecordSize;
    }
    return table;
}

NeResource ResourceFrom(format::Fields& fields, std::size_t at, std::uint16_t shift) {
    return {std::uint64_t{fields.U16(at)} << shift, std::uint64_t{fields.U16(at + 2)} << shift};
}

// The RT_ICON records by ID (the record's ID without its integer-ID bit; named records cannot
// be named by a group and are left out).
IdIndex<NeResource> IndexIcons(std::span<const std::uint8_t> records, std::uint16_t shift) {
    format::Fields fields(records);
    std::vector<std::pair<std::uint16_t, NeResource>> items;
    items.reserve(records.size() / kResourceRecordSize);
    for (std::size_t at = 0; at + kResourceRecordSize <= records.size();
         at += kResourceRecordSize) {
        const std::uint16_t id = fields.U16(at + 6);
        if ((id & 0x8000) != 0) {
            items.emplace_back(static_cast<std::uint16_t>(id & 0x7FFF),
                               ResourceFrom(fields, at, shift));
        }
    }
    return IdIndex<NeResource>(std::move(items));
}

// An icon's exact size: the group entry's bytesInRes when it fits inside the stored length
// (which counts whole alignment units), else the stored length.
std::uint64_t ExactLength(const NeResource& icon, const IconImage& entry) {
    return entry.bytesInRes != 0 && entry.bytesInRes <= icon.length ? entry.bytesInRes
                                                                    : icon.length;
}

class NeIconGroups final : public GroupTable {
public:
    NeIconGroups(const ByteSource& source, const ResourceTable& table,
                 const format::ResourceKind& kind)
        : source_(source), table_(table), kind_(kind) {}

    const format::ResourceKind& Kind() const override { return kind_; }

    std::uint32_t Count() const override { return table_.groups->count; }

    ReadResult<GroupRecord> Group(std::uint32_t index) override {
        const auto record = ReadStructure<kResourceRecordSize>(
            source_, table_.groups->first + std::uint64_t{index} * kResourceRecordSize,
            Subject(kind_.groupNoun, " record", index));
        if (!record) {
            return record.error();
        }
        format::Fields fields(*record);
        const NeResource group = ResourceFrom(fields, 0, table_.shift);
        if (group.offset >= source_.Size()) {
            return Failure(std::string(kind_.groupNoun) + " record " + std::to_string(index) +
                           " points at " + Hex(group.offset) + ", past the end of the file (" +
                           Hex(source_.Size()) + " bytes)");
        }
        // The stored length is rounded up to whole units and may run past the end of the file.
        const ByteRange range{group.offset, std::min({group.length, source_.Size() - group.offset,
                                                      std::uint64_t{kMaxGroupBytes}})};
        const auto bytes = ReadStructure(source_, range.offset, range.length, "group directory");
        auto entries = bytes.Then([&](const std::vector<std::uint8_t>& directory) {
            return ParseGroupDirectory(directory, range.offset, kind_);
        });
        if (!entries) {
            return entries.error();
        }
        return GroupRecord{range, std::move(*entries), NameOf(fields.U16(6)),
                           kind_.itemsStartWithHotspot};
    }

    ReadResult<ByteRange> ImageOf(const GroupRecord& group, std::size_t entry) override {
        const IconImage& image = group.entries.at(entry);
        const IdIndex<NeResource>* index = Icons();
        const std::uint16_t id = image.resourceId & 0x7FFF;
        const NeResource* icon = index ? index->Find(id) : nullptr;
        if (!icon) {
            return Failure(std::string("the file has no ") + kind_.itemWord + " " +
                           std::to_string(id));
        }
        const ByteRange range{icon->offset, ExactLength(*icon, image)};
        if (!RangeInside(source_.Size(), range.offset, range.length)) {
            return Failure(std::string(kind_.itemNoun) + " " + std::to_string(id) + " at " +
                           Hex(range.offset) + " (" + Hex(range.length) +
                           " bytes) runs past the end of the file (" + Hex(source_.Size()) +
                           " bytes)");
        }
        return range;
    }

private:
    // A record's ID field: an integer ID (its top bit set) or the offset from the table's start
    // of a name (a length byte, then that many bytes, taken as Latin-1). A name that cannot be
    // read is left empty.
    ResourceName NameOf(std::uint16_t idField) const {
        ResourceName name;
        if ((idField & 0x8000) != 0) {
            name.id = static_cast<std::uint16_t>(idField & 0x7FFF);
            return name;
        }
        const auto length = ReadFixed<1>(source_, table_.at + idField);
        const auto text = length && (*length)[0] != 0
                              ? ReadBytes(source_, table_.at + idField + 1, (*length)[0])
                              : std::nullopt;
        for (const std::uint8_t c : text ? *text : std::vector<std::uint8_t>()) {
            name.name += c < 0x80 ? std::string(1, static_cast<char>(c))
                                  : std::string{static_cast<char>(0xC0 | (c >> 6)),
                                                static_cast<char>(0x80 | (c & 0x3F))};
        }
        return name;
    }

    // The RT_ICON records by ID, read once on first use; null when they cannot be read.
    const IdIndex<NeResource>* Icons() {
        if (!iconsRead_) {
            iconsRead_ = true;
            const auto records =
                table_.icons ? ReadBytes(source_, table_.icons->first,
                                         std::uint64_t{table_.icons->count} * kResourceRecordSize)
                             : std::nullopt;
            if (records) {
                icons_.emplace(IndexIcons(*records, table_.shift));
            }
        }
        return icons_ ? &*icons_ : nullptr;
    }

    const ByteSource& source_;
    ResourceTable table_;
    const format::ResourceKind& kind_;
    bool iconsRead_ = false;
    std::optional<IdIndex<NeResource>> icons_;
};

}  // namespace

ReadResult<std::unique_ptr<GroupTable>> OpenNeIconGroups(const ByteSource& source,
                                                         std::uint64_t neOffset,
                                                         const format::ResourceKind& kind) {
    if (kind.neGroupType == 0) {
        return Failure(std::string("a 16-bit executable holds no ") + kind.groupsWord);
    }
    const auto tableOffset = ResourceTableOffset(source, neOffset);
    const auto table =
        tableOffset ? ReadResourceTable(source, *tableOffset, kind) : tableOffset.error();
    if (!table) {
        return table.error();
    }
    if (!table->groups) {
        return Failure(std::string("the resource table has no ") + kind.groupsWord);
    }
    return std::unique_ptr<GroupTable>(std::make_unique<NeIconGroups>(source, *table, kind));
}

}  // namespace platform::icons
