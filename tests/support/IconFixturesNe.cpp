// 16-bit NE fixture files: an MZ stub, the NE header, the resource table (icons, then groups,
// then the resource names) and the resource data aligned to 1 << shift bytes.
#include <algorithm>
#include <stdexcept>

#include "tests/support/IconFixtures.h"
#include "tests/support/IconFixturesWriter.h"

namespace fixtures {

namespace {

using detail::ByteWriter;

constexpr std::size_t kNeOffset = 0x40;
constexpr std::size_t kNeHeaderSize = 0x40;
constexpr std::uint16_t kNeRtIcon = 0x8003;
constexpr std::uint16_t kNeRtGroupIcon = 0x800E;
constexpr std::uint16_t kResourceFlags = 0x1C30;  // moveable, pure, discardable
constexpr std::size_t kTypeRecordSize = 8;
constexpr std::size_t kResourceRecordSize = 12;
constexpr std::size_t kResidentNamesSize = 11;  // "FIXTURE", its ordinal, the terminator

struct PlacedResource {
    std::uint16_t id = 0;  // the record's id field
    const Bytes* bytes = nullptr;
    std::size_t offset = 0;  // file offset, a multiple of the alignment unit
};

// The resources of one type, in stored order.
struct TypeResources {
    std::uint16_t type = 0;
    std::vector<std::pair<ResourceName, const Bytes*>> resources;
};

struct PlacedType {
    std::uint16_t type = 0;
    std::vector<PlacedResource> resources;
};

class NeWriter {
public:
    NeWriter(unsigned shift, const std::vector<TypeResources>& types)
        : shift_(shift), unit_(std::size_t(1) << shift) {
        if (shift > 15) {
            throw std::invalid_argument("NeBuilder: alignment shift too large");
        }
        for (const TypeResources& type : types) {
            if (!type.resources.empty()) {
                types_.push_back({type.type, std::vector<PlacedResource>(type.resources.size())});
            }
        }
        std::size_t nameAt = TableSize();  // the names follow the table
        std::size_t placed = 0;
        for (const TypeResources& type : types) {
            if (type.resources.empty()) {
                continue;
            }
            std::vector<PlacedResource>& list = types_[placed++].resources;
            for (std::size_t i = 0; i < list.size(); ++i) {
                const auto& [name, bytes] = type.resources[i];
                list[i].bytes = bytes;
                if (name.named) {
                    names_.push_back(Narrow(name.text));
                    list[i].id = std::uint16_t(nameAt);
                    nameAt += 1 + names_.back().size();
                } else {
                    list[i].id = std::uint16_t(0x8000 | name.id);
                }
            }
        }
    }

    BuiltNe Write() {
        BuiltNe built;
        NeLayout& layout = built.layout;
        ByteWriter out;
        WriteStub(out);
        layout.neHeader = out.size();
        const std::size_t table = kNeOffset + kNeHeaderSize;
        const std::size_t residentNames = table + TableSize() + NamesSize();
        WriteNeHeader(out, table - kNeOffset, residentNames - kNeOffset);
        PlaceData(residentNames + kResidentNamesSize + 1);
        layout.resourceTable = out.size();
        out.U16(shift_);
        for (const PlacedType& type : types_) {
            WriteType(out, type, layout);
        }
        out.U16(0);
        for (const std::string& name : names_) {
            out.U8(std::uint32_t(name.size()));
            out.Text(name);
        }
        out.U8(0);
        layout.resourceEnd = out.size();
        WriteResidentNames(out);
        WriteData(out, layout);
        if (const PlacedType* icons = Find(kNeRtIcon)) {
            for (std::size_t i = 0; i < icons->resources.size(); ++i) {
                layout.iconRecords[icons->resources[i].id & 0x7FFF] =
                    layout.iconTypeRecord + kTypeRecordSize + i * kResourceRecordSize;
            }
        }
        built.bytes = std::move(out.bytes());
        return built;
    }

private:
    std::size_t TableSize() const {
        std::size_t size = 2 + 2;  // shift, terminating type
        for (const PlacedType& type : types_) {
            size += kTypeRecordSize + type.resources.size() * kResourceRecordSize;
        }
        return size;
    }

    const PlacedType* Find(std::uint16_t type) const {
        for (const PlacedType& placed : types_) {
            if (placed.type == type) {
                return &placed;
            }
        }
        return nullptr;
    }

    std::size_t NamesSize() const {
        std::size_t size = 1;
        for (const std::string& name : names_) {
            size += 1 + name.size();
        }
        return size;
    }

    static std::string Narrow(const std::u16string& text) {
        std::string narrow;
        for (char16_t c : text) {
            narrow.push_back(static_cast<char>(c));
        }
        return narrow;
    }

    void PlaceData(std::size_t at) {
        for (PlacedType& type : types_) {
            for (PlacedResource& resource : type.resources) {
                at = ByteWriter::AlignUp(at, unit_);
                resource.offset = at;
                at += resource.bytes->size();
                if ((resource.offset >> shift_) > 0xFFFF) {
                    throw std::invalid_argument("NeBuilder: file too large for the shift");
                }
            }
        }
    }

    static void WriteStub(ByteWriter& out) {
        out.Text("MZ");
        out.PadTo(0x3C);
        out.U32(kNeOffset);
        out.PadTo(kNeOffset);
    }

    static void WriteNeHeader(ByteWriter& out, std::size_t table, std::size_t residentNames) {
        const std::size_t start = out.size();
        out.Text("NE");
        out.U8(5);  // linker version
        out.U8(10);
        out.U16(std::uint32_t(residentNames + kResidentNamesSize));  // entry table (empty)
        out.U16(1);
        out.PadTo(start + 0x0C);
        out.U16(0x8302);  // multiple data, Windows API, library
        out.PadTo(start + 0x22);
        out.U16(std::uint32_t(table));  // segment table (empty)
        out.U16(std::uint32_t(table));  // resource table
        out.U16(std::uint32_t(residentNames));
        out.U16(std::uint32_t(residentNames + kResidentNamesSize));  // module references
        out.U16(std::uint32_t(residentNames + kResidentNamesSize));  // imported names
        out.PadTo(start + 0x36);
        out.U8(2);  // Windows
        out.PadTo(start + 0x3E);
        out.U16(0x030A);  // expected Windows 3.10
    }

    static void WriteResidentNames(ByteWriter& out) {
        out.U8(7);
        out.Text("FIXTURE");
        out.U16(0);
        out.U8(0);
        out.U8(0);  // the entry table: no bundles
    }

    void WriteType(ByteWriter& out, const PlacedType& type, NeLayout& layout) const {
        const bool groups = type.type == kNeRtGroupIcon;
        if (groups) {
            layout.groupTypeRecord = out.size();
        } else if (type.type == kNeRtIcon) {
            layout.iconTypeRecord = out.size();
        }
        out.U16(type.type);
        out.U16(std::uint32_t(type.resources.size()));
        out.U32(0);
        for (const PlacedResource& resource : type.resources) {
            if (groups) {
                layout.groupRecords.push_back(out.size());
            }
            const std::size_t units = (resource.bytes->size() + unit_ - 1) >> shift_;
            out.U16(std::uint32_t(resource.offset >> shift_));
            out.U16(std::uint32_t(units));
            out.U16(kResourceFlags);
            out.U16(resource.id);
            out.U32(0);
        }
    }

    void WriteData(ByteWriter& out, NeLayout& layout) const {
        for (const PlacedType& type : types_) {
            for (const PlacedResource& resource : type.resources) {
                out.PadTo(resource.offset);
                out.Append(*resource.bytes);
                if (type.type == kNeRtIcon) {
                    layout.iconData[resource.id & 0x7FFF] = resource.offset;
                } else if (type.type == kNeRtGroupIcon) {
                    layout.groupData.push_back(resource.offset);
                }
            }
        }
        out.AlignTo(unit_);
    }

    unsigned shift_;
    std::size_t unit_;
    std::vector<PlacedType> types_;
    std::vector<std::string> names_;
};

}  // namespace

void NeBuilder::AddIcon(std::uint16_t id, Bytes bytes) {
    icons_.emplace_back(std::uint16_t(id & 0x7FFF), std::move(bytes));
}

void NeBuilder::AddGroup(const ResourceName& name, const std::vector<std::uint16_t>& iconIds) {
    std::vector<GroupEntry> entries;
    for (std::uint16_t id : iconIds) {
        GroupEntry entry = EntryFor({}, id);
        for (const auto& [iconId, bytes] : icons_) {
            if (iconId == id) {
                entry = EntryFor(bytes, id);
                break;
            }
        }
        entries.push_back(entry);
    }
    AddGroupEntries(name, entries);
}

void NeBuilder::AddGroupEntries(const ResourceName& name, const std::vector<GroupEntry>& entries) {
    groups_.push_back({name, GroupDirectoryBytes(entries)});
}

Bytes NeBuilder::Build() const {
    return BuildWithLayout().bytes;
}

void NeBuilder::AddResource(std::uint16_t type, const ResourceName& name, Bytes bytes) {
    extras_.push_back({type, name, std::move(bytes)});
}

BuiltNe NeBuilder::BuildWithLayout() const {
    std::vector<TypeResources> types = {{kNeRtIcon, {}}, {kNeRtGroupIcon, {}}};
    for (const auto& [id, bytes] : icons_) {
        types[0].resources.emplace_back(id, &bytes);
    }
    for (const Resource& group : groups_) {
        types[1].resources.emplace_back(group.name, &group.bytes);
    }
    for (const Extra& extra : extras_) {
        auto type = std::find_if(types.begin() + 2, types.end(),
                                 [&](const TypeResources& t) { return t.type == extra.type; });
        if (type == types.end()) {
            type = types.insert(types.end(), {extra.type, {}});
        }
        type->resources.emplace_back(extra.name, &extra.bytes);
    }
    return NeWriter(alignShift_, types).Write();
}

}  // namespace fixtures
