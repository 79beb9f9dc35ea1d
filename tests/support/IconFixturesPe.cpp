// PE32 / PE32+ fixture files: headers, a ".text" and a ".rsrc" section, and the resource tree
// laid out the way linkers do (directories, then data entries, then strings, then data).
#include <algorithm>
#include <stdexcept>

#include "tests/support/IconFixtures.h"
#include "tests/support/IconFixturesWriter.h"

namespace fixtures {

namespace {

using detail::ByteWriter;

constexpr std::uint16_t kRtIcon = 3;
constexpr std::uint16_t kRtGroupIcon = 14;
constexpr std::size_t kPeOffset = 0x80;
constexpr std::uint32_t kFileAlignment = 0x200;
constexpr std::uint32_t kSectionAlignment = 0x1000;
constexpr std::size_t kDirectoryHeader = 16;
constexpr std::size_t kEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;

bool IsNamed(const ResourceName& name) {
    return name.named;
}

struct LanguageNode {
    std::uint16_t language;
    const Bytes* bytes;
    std::size_t dataEntry = 0;  // offsets within the section
    std::size_t data = 0;
};

struct NameNode {
    ResourceName name;
    std::vector<LanguageNode> languages;
    std::size_t directory = 0;
    std::size_t entry = 0;  // this name's entry in its type's directory
};

struct TypeNode {
    ResourceName type;
    std::vector<NameNode> names;
    std::size_t directory = 0;
    std::size_t entry = 0;
};

// Finds the node of that name, appending one where there is none yet (named ones before numeric
// ones, each kind in order of first appearance).
template <typename Node, typename Key>
Node& NodeFor(std::vector<Node>& nodes, const ResourceName& name, Key key) {
    for (Node& node : nodes) {
        if (node.*key == name) {
            return node;
        }
    }
    auto at = nodes.end();
    if (IsNamed(name)) {
        at = nodes.begin();
        while (at != nodes.end() && IsNamed((*at).*key)) {
            ++at;
        }
    }
    Node node{};
    node.*key = name;
    return *nodes.insert(at, std::move(node));
}

// The resource section, built in two passes: offsets first, then bytes.
class ResourceSection {
public:
    ResourceSection(std::vector<TypeNode> types, std::uint32_t rva)
        : types_(std::move(types)), rva_(rva) {
        AssignOffsets();
    }

    Bytes Write() const {
        ByteWriter out;
        WriteDirectory(
            out, types_, [](const TypeNode& t) { return t.type; },
            [](const TypeNode& t) { return 0x80000000u | std::uint32_t(t.directory); });
        for (const TypeNode& type : types_) {
            WriteDirectory(
                out, type.names, [](const NameNode& n) { return n.name; },
                [](const NameNode& n) { return 0x80000000u | std::uint32_t(n.directory); });
        }
        WriteLanguageDirectories(out);
        WriteDataEntries(out);
        WriteStrings(out);
        WriteData(out);
        return out.bytes();
    }

    const std::vector<TypeNode>& Types() const { return types_; }
    const std::map<std::u16string, std::size_t>& Strings() const { return strings_; }

private:
    void AssignOffsets() {
        std::size_t at = kDirectoryHeader + types_.size() * kEntrySize;
        for (std::size_t t = 0; t < types_.size(); ++t) {
            types_[t].entry = kDirectoryHeader + t * kEntrySize;
            types_[t].directory = at;
            at += kDirectoryHeader + types_[t].names.size() * kEntrySize;
        }
        for (TypeNode& type : types_) {
            for (std::size_t n = 0; n < type.names.size(); ++n) {
                type.names[n].entry = type.directory + kDirectoryHeader + n * kEntrySize;
                type.names[n].directory = at;
                at += kDirectoryHeader + type.names[n].languages.size() * kEntrySize;
            }
        }
        ForEachLanguage([&](LanguageNode& language) {
            language.dataEntry = at;
            at += kDataEntrySize;
        });
        AssignStrings(at);
        ForEachLanguage([&](LanguageNode& language) {
            at = ByteWriter::AlignUp(at, 8);
            language.data = at;
            at += language.bytes->size();
        });
    }

    void AssignStrings(std::size_t& at) {
        auto add = [&](const ResourceName& name) {
            if (IsNamed(name) && !strings_.contains(name.text)) {
                strings_[name.text] = at;
                at += 2 + 2 * name.text.size();
            }
        };
        for (const TypeNode& type : types_) {
            add(type.type);
            for (const NameNode& name : type.names) {
                add(name.name);
            }
        }
    }

    template <typename Visit>
    void ForEachLanguage(Visit visit) {
        for (TypeNode& type : types_) {
            for (NameNode& name : type.names) {
                for (LanguageNode& language : name.languages) {
                    visit(language);
                }
            }
        }
    }

    std::uint32_t NameField(const ResourceName& name) const {
        if (IsNamed(name)) {
            return 0x80000000u | std::uint32_t(strings_.at(name.text));
        }
        return name.id;
    }

    template <typename Node, typename NameOf, typename TargetOf>
    void WriteDirectory(ByteWriter& out, const std::vector<Node>& nodes, NameOf nameOf,
                        TargetOf targetOf) const {
        std::uint32_t named = 0;
        for (const Node& node : nodes) {
            named += IsNamed(nameOf(node)) ? 1 : 0;
        }
        WriteDirectoryHeader(out, named, std::uint32_t(nodes.size()) - named);
        for (const Node& node : nodes) {
            out.U32(NameField(nameOf(node)));
            out.U32(targetOf(node));
        }
    }

    static void WriteDirectoryHeader(ByteWriter& out, std::uint32_t named, std::uint32_t ids) {
        out.Zeros(12);  // characteristics, time stamp, version
        out.U16(named);
        out.U16(ids);
    }

    void WriteLanguageDirectories(ByteWriter& out) const {
        for (const TypeNode& type : types_) {
            for (const NameNode& name : type.names) {
                WriteDirectoryHeader(out, 0, std::uint32_t(name.languages.size()));
                for (const LanguageNode& language : name.languages) {
                    out.U32(language.language);
                    out.U32(std::uint32_t(language.dataEntry));
                }
            }
        }
    }

    void WriteDataEntries(ByteWriter& out) const {
        for (const TypeNode& type : types_) {
            for (const NameNode& name : type.names) {
                for (const LanguageNode& language : name.languages) {
                    out.U32(rva_ + std::uint32_t(language.data));
                    out.U32(std::uint32_t(language.bytes->size()));
                    out.U32(0);  // code page
                    out.U32(0);
                }
            }
        }
    }

    void WriteStrings(ByteWriter& out) const {
        std::vector<std::pair<std::size_t, std::u16string>> ordered;
        for (const auto& [text, offset] : strings_) {
            ordered.emplace_back(offset, text);
        }
        std::sort(ordered.begin(), ordered.end());
        for (const auto& [offset, text] : ordered) {
            out.PadTo(offset);
            out.U16(std::uint32_t(text.size()));
            for (char16_t c : text) {
                out.U16(c);
            }
        }
    }

    void WriteData(ByteWriter& out) const {
        for (const TypeNode& type : types_) {
            for (const NameNode& name : type.names) {
                for (const LanguageNode& language : name.languages) {
                    out.PadTo(language.data);
                    out.Append(*language.bytes);
                }
            }
        }
    }

    std::vector<TypeNode> types_;
    std::uint32_t rva_;
    std::map<std::u16string, std::size_t> strings_;
};

struct Headers {
    std::uint32_t rsrcRva = 0;
    std::uint32_t rsrcRawOffset = 0;
    std::uint32_t rsrcRawSize = 0;
    std::uint32_t rsrcVirtualSize = 0;
    std::uint32_t imageSize = 0;
};

void WriteDosHeader(ByteWriter& out) {
    out.Text("MZ");
    out.U16(0x90);  // bytes on the last page
    out.U16(3);
    out.PadTo(0x3C);
    out.U32(kPeOffset);
    out.Text("This program cannot be run in DOS mode.");
    out.PadTo(kPeOffset);
}

void WriteCoffHeader(ByteWriter& out, const PeOptions& options) {
    out.Text(std::string("PE\0\0", 4));
    out.U16(options.pe32plus ? 0x8664 : 0x014C);
    out.U16(options.textSection ? 2 : 1);
    out.Zeros(12);  // time stamp, symbol table, symbol count
    out.U16(options.pe32plus ? 240 : 224);
    out.U16(0x2102);  // executable, 32-bit machine, DLL
}

void WriteOptionalHeader(ByteWriter& out, const PeOptions& options, const Headers& headers,
                         PeLayout& layout) {
    layout.optionalHeader = out.size();
    out.U16(options.pe32plus ? 0x20B : 0x10B);
    out.U8(14);  // linker version
    out.U8(0);
    out.U32(options.textSection ? kFileAlignment : 0);  // size of code
    out.U32(headers.rsrcRawSize);                       // size of initialized data
    out.U32(0);
    out.U32(0);                  // entry point
    out.U32(kSectionAlignment);  // base of code
    if (options.pe32plus) {
        out.U64(0x180000000ull);
    } else {
        out.U32(kSectionAlignment);  // base of data
        out.U32(0x10000000u);
    }
    out.U32(kSectionAlignment);
    out.U32(kFileAlignment);
    out.U16(6);  // OS, image, subsystem versions
    out.Zeros(6);
    out.U16(6);
    out.Zeros(6);  // subsystem minor, win32 version
    out.U32(headers.imageSize);
    out.U32(kFileAlignment);  // size of headers
    out.U32(0);               // checksum
    out.U16(2);               // GUI
    out.U16(0x0140);
    const int stackFields = 4;
    for (int i = 0; i < stackFields; ++i) {
        options.pe32plus ? out.U64(0x100000) : out.U32(0x100000);
    }
    out.U32(0);   // loader flags
    out.U32(16);  // NumberOfRvaAndSizes
    for (int i = 0; i < 16; ++i) {
        if (i == 2) {
            layout.resourceDataDirectory = out.size();
            out.U32(headers.rsrcRva);
            out.U32(headers.rsrcRawSize);
        } else {
            out.U64(0);
        }
    }
}

void WriteSectionHeader(ByteWriter& out, const char* name, std::uint32_t virtualSize,
                        std::uint32_t rva, std::uint32_t rawSize, std::uint32_t rawOffset,
                        std::uint32_t characteristics) {
    std::string text(name);
    text.resize(8, '\0');
    out.Text(text);
    out.U32(virtualSize);
    out.U32(rva);
    out.U32(rawSize);
    out.U32(rawOffset);
    out.Zeros(12);  // relocations, line numbers, their counts
    out.U32(characteristics);
}

std::vector<TypeNode> BuildTree(const auto& resources) {
    std::vector<TypeNode> types;
    for (const auto& resource : resources) {
        TypeNode& type = NodeFor(types, resource.type, &TypeNode::type);
        NameNode& name = NodeFor(type.names, resource.name, &NameNode::name);
        name.languages.push_back({resource.language, &resource.bytes});
    }
    return types;
}

const TypeNode* FindType(const std::vector<TypeNode>& types, std::uint16_t id) {
    for (const TypeNode& type : types) {
        if (type.type == ResourceName(id)) {
            return &type;
        }
    }
    return nullptr;
}

void RecordLayout(const ResourceSection& section, PeLayout& layout) {
    const std::size_t base = layout.rsrcRaw;
    layout.rootDirectory = base;
    for (const auto& [text, offset] : section.Strings()) {
        layout.nameStrings[text] = base + offset;
    }
    if (const TypeNode* groups = FindType(section.Types(), kRtGroupIcon)) {
        layout.groupTypeEntry = base + groups->entry;
        layout.groupNameDirectory = base + groups->directory;
        for (const NameNode& name : groups->names) {
            layout.groupEntries.push_back(base + name.entry);
            layout.groupLanguageDirectories.push_back(base + name.directory);
            layout.groupDataEntries.push_back(base + name.languages.front().dataEntry);
            layout.groupData.push_back(base + name.languages.front().data);
        }
    }
    for (const TypeNode& type : section.Types()) {
        for (const NameNode& name : type.names) {
            if (!IsNamed(type.type) && !IsNamed(name.name)) {
                layout.dataEntries[{type.type.id, name.name.id}] =
                    base + name.languages.front().dataEntry;
            }
        }
    }
    if (const TypeNode* icons = FindType(section.Types(), kRtIcon)) {
        layout.iconNameDirectory = base + icons->directory;
        for (const NameNode& name : icons->names) {
            if (!IsNamed(name.name)) {
                const std::uint16_t id = name.name.id;
                layout.iconDataEntries[id] = base + name.languages.front().dataEntry;
                layout.iconData[id] = base + name.languages.front().data;
            }
        }
    }
}

}  // namespace

Bytes GroupDirectoryBytes(const std::vector<GroupEntry>& entries) {
    ByteWriter out;
    out.U16(0);
    out.U16(1);
    out.U16(std::uint32_t(entries.size()));
    for (const GroupEntry& entry : entries) {
        out.U8(entry.width);
        out.U8(entry.height);
        out.U8(entry.colorCount);
        out.U8(entry.reserved);
        out.U16(entry.planes);
        out.U16(entry.bitCount);
        out.U32(entry.bytesInRes);
        out.U16(entry.iconId);
    }
    return out.bytes();
}

void PeBuilder::AddIcon(std::uint16_t id, Bytes bytes, std::uint16_t language) {
    resources_.push_back({kRtIcon, id, language, std::move(bytes)});
}

void PeBuilder::AddGroup(const ResourceName& name, const std::vector<std::uint16_t>& iconIds,
                         std::uint16_t language) {
    std::vector<GroupEntry> entries;
    for (std::uint16_t id : iconIds) {
        GroupEntry entry = EntryFor({}, id);
        for (const Resource& resource : resources_) {
            if (resource.type == ResourceName(kRtIcon) && resource.name == ResourceName(id)) {
                entry = EntryFor(resource.bytes, id);
                break;
            }
        }
        entries.push_back(entry);
    }
    AddGroupEntries(name, entries, language);
}

void PeBuilder::AddGroupEntries(const ResourceName& name, const std::vector<GroupEntry>& entries,
                                std::uint16_t language) {
    resources_.push_back({kRtGroupIcon, name, language, GroupDirectoryBytes(entries)});
}

void PeBuilder::AddResource(const ResourceName& type, const ResourceName& name, Bytes bytes,
                            std::uint16_t language) {
    resources_.push_back({type, name, language, std::move(bytes)});
}

Bytes PeBuilder::Build(bool pe32plus) const {
    return BuildWithLayout({.pe32plus = pe32plus}).bytes;
}

BuiltPe PeBuilder::BuildWithLayout(const PeOptions& options) const {
    Headers headers;
    headers.rsrcRva = options.textSection ? 2 * kSectionAlignment : kSectionAlignment;
    headers.rsrcRawOffset = options.textSection ? 2 * kFileAlignment : kFileAlignment;
    const ResourceSection section(BuildTree(resources_), headers.rsrcRva);
    const Bytes rsrc = section.Write();
    headers.rsrcRawSize =
        std::uint32_t(ByteWriter::AlignUp(std::max<std::size_t>(rsrc.size(), 1), kFileAlignment));
    headers.rsrcVirtualSize = headers.rsrcRawSize + options.rsrcVirtualSlack;
    headers.imageSize = headers.rsrcRva + std::uint32_t(ByteWriter::AlignUp(headers.rsrcVirtualSize,
                                                                            kSectionAlignment));

    BuiltPe built;
    PeLayout& layout = built.layout;
    ByteWriter out;
    WriteDosHeader(out);
    layout.peSignature = out.size();
    layout.coffHeader = out.size() + 4;
    WriteCoffHeader(out, options);
    WriteOptionalHeader(out, options, headers, layout);
    layout.sectionTable = out.size();
    if (options.textSection) {
        WriteSectionHeader(out, ".text", 0x10, kSectionAlignment, kFileAlignment, kFileAlignment,
                           0x60000020u);
    }
    layout.rsrcSectionHeader = out.size();
    WriteSectionHeader(out, ".rsrc", headers.rsrcVirtualSize, headers.rsrcRva, headers.rsrcRawSize,
                       headers.rsrcRawOffset, 0x40000040u);
    if (out.size() > kFileAlignment) {
        throw std::logic_error("PeBuilder: headers do not fit");
    }
    if (options.textSection) {
        out.PadTo(kFileAlignment);
        out.U8(0xC3);  // ret
    }
    out.PadTo(headers.rsrcRawOffset);
    layout.rsrcRaw = out.size();
    layout.rsrcRva = headers.rsrcRva;
    out.Append(rsrc);
    out.PadTo(headers.rsrcRawOffset + headers.rsrcRawSize);
    RecordLayout(section, layout);
    built.bytes = std::move(out.bytes());
    return built;
}

}  // namespace fixtures
