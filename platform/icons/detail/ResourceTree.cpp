#include "platform/icons/detail/ResourceTree.h"

#include <algorithm>

#include "platform/format/LittleEndian.h"

namespace platform::icons {

namespace {

constexpr std::size_t kDirectoryHeaderSize = 16;
constexpr std::size_t kEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;
// A walk that reads more structures than a probe of one group does (a whole load, through a tree
// kept between calls) reads the file in blocks from then on, and keeps them: at most kMaxBlocks of
// kBlockBytes (4 MiB), enough for the directories of 65,535 groups and as many images.
constexpr unsigned kReadsBeforeBlocks = 64;
constexpr std::uint64_t kBlockBytes = 32u << 10;
constexpr std::size_t kMaxBlocks = 128;

std::uint64_t EntryOffset(std::uint32_t directory, std::uint64_t index) {
    return std::uint64_t{directory} + kDirectoryHeaderSize + index * kEntrySize;
}

void AppendUtf8(std::string& out, char32_t c) {
    const auto byte = [&out](char32_t value) { out.push_back(static_cast<char>(value)); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | (c >> 6));
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | (c >> 12));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | (c >> 18));
        byte(0x80 | ((c >> 12) & 0x3F));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}

ResourceEntry EntryFrom(format::Fields& fields, std::size_t at) {
    return {fields.U32(at), fields.U32(at + 4)};
}

// UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf8Of(const std::u16string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace

ReadResult<std::vector<std::uint8_t>> ResourceTree::ReadAt(std::uint64_t offset,
                                                           std::uint64_t length,
                                                           const Subject& what) const {
    const auto at = image_.FileOffset(std::uint64_t{rootRva_} + offset, length);
    if (!at) {
        return Failure(what.Text() + " at " + Hex(offset) + " from the resource root (" +
                       Hex(length) + " bytes) lies outside the sections' data in the file");
    }
    if (auto bytes = FromBlocks(*at, length)) {
        return std::move(*bytes);
    }
    return ReadStructure(source_, *at, length, what);
}

std::optional<std::vector<std::uint8_t>> ResourceTree::FromBlocks(std::uint64_t at,
                                                                  std::uint64_t length) const {
    if (structureReads_ <= kReadsBeforeBlocks) {
        ++structureReads_;
        return std::nullopt;
    }
    if (length == 0 || length > kBlockBytes || !RangeInside(source_.Size(), at, length)) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(length));
    for (std::uint64_t index = at / kBlockBytes; index <= (at + length - 1) / kBlockBytes;
         ++index) {
        const std::vector<std::uint8_t>* block = Block(index);
        if (block == nullptr) {
            return std::nullopt;
        }
        const std::uint64_t blockStart = index * kBlockBytes;
        const std::uint64_t from = std::max(at, blockStart) - blockStart;
        const std::uint64_t to = std::min(at + length - blockStart, std::uint64_t{block->size()});
        bytes.insert(bytes.end(), block->begin() + static_cast<std::ptrdiff_t>(from),
                     block->begin() + static_cast<std::ptrdiff_t>(to));
    }
    if (bytes.size() != length) {
        return std::nullopt;
    }
    return bytes;
}

const std::vector<std::uint8_t>* ResourceTree::Block(std::uint64_t index) const {
    if (const auto kept = blocks_.find(index); kept != blocks_.end()) {
        return &kept->second;
    }
    const std::uint64_t start = index * kBlockBytes;
    if (start >= source_.Size()) {
        return nullptr;
    }
    auto bytes = ReadBytes(source_, start, std::min(kBlockBytes, source_.Size() - start));
    if (!bytes) {
        return nullptr;
    }
    if (blocks_.size() >= kMaxBlocks) {
        blocks_.clear();
    }
    return &blocks_.emplace(index, std::move(*bytes)).first->second;
}

ReadResult<DirectoryCounts> ResourceTree::Counts(std::uint32_t offset) const {
    const auto header = ReadAt(offset, kDirectoryHeaderSize, "resource directory");
    if (!header) {
        return header.error();
    }
    format::Fields fields(*header);
    return DirectoryCounts{fields.U16(12), fields.U16(14)};
}

ReadResult<ResourceEntry> ResourceTree::EntryAt(std::uint32_t offset, std::uint32_t index) const {
    const auto bytes =
        ReadAt(EntryOffset(offset, index), kEntrySize, Subject("resource directory entry", index));
    if (!bytes) {
        return bytes.error();
    }
    format::Fields fields(*bytes);
    return EntryFrom(fields, 0);
}

ReadResult<std::vector<ResourceEntry>> ResourceTree::EntriesAt(std::uint32_t offset,
                                                               std::uint32_t first,
                                                               std::uint32_t count) const {
    const auto bytes = ReadAt(EntryOffset(offset, first), std::uint64_t{count} * kEntrySize,
                              "resource directory entries");
    if (!bytes) {
        return bytes.error();
    }
    format::Fields fields(*bytes);
    std::vector<ResourceEntry> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        entries.push_back(EntryFrom(fields, i * kEntrySize));
    }
    return entries;
}

ReadResult<std::vector<ResourceEntry>> ResourceTree::Entries(std::uint32_t offset) const {
    const auto counts = Counts(offset);
    if (!counts) {
        return counts.error();
    }
    return EntriesAt(offset, 0, counts->Total());
}

ReadResult<std::uint32_t> ResourceTree::Subdirectory(const ResourceEntry& entry,
                                                     const Subject& what) {
    if (!entry.IsDirectory()) {
        return Failure(what.Text() + " leads to a data entry where a directory belongs");
    }
    return entry.TargetOffset();
}

ReadResult<ResourceData> ResourceTree::FirstLanguage(std::uint32_t offset) const {
    const auto bytes = ReadAt(offset, kDirectoryHeaderSize + kEntrySize, "language directory");
    if (!bytes) {
        return bytes.error();
    }
    format::Fields fields(*bytes);
    const std::uint32_t count = std::uint32_t{fields.U16(12)} + fields.U16(14);
    const ResourceEntry first = EntryFrom(fields, kDirectoryHeaderSize);
    if (count == 0) {
        return Failure("language directory at " + Hex(offset) + " from the resource root is empty");
    }
    if (first.IsDirectory()) {  // a language must lead to data, never to a fourth level
        return Failure("language directory at " + Hex(offset) +
                       " from the resource root leads to a fourth level");
    }
    const auto data = ReadAt(first.TargetOffset(), kDataEntrySize, "resource data entry");
    if (!data) {
        return data.error();
    }
    format::Fields dataFields(*data);
    return ResourceData{dataFields.U32(0), dataFields.U32(4), first.Id()};
}

ReadResult<std::string> ResourceTree::NameAt(std::uint32_t offset) const {
    const auto lengthBytes = ReadAt(offset, 2, "resource name");
    if (!lengthBytes) {
        return lengthBytes.error();
    }
    const std::size_t units =
        std::min<std::size_t>(format::Fields(*lengthBytes).U16(0), kMaxNameUnits);
    if (units == 0) {
        return std::string();
    }
    const auto text = ReadAt(std::uint64_t{offset} + 2, units * 2, "resource name");
    if (!text) {
        return text.error();
    }
    format::Fields fields(*text);
    std::u16string name;
    for (std::size_t i = 0; i < units; ++i) {
        name.push_back(static_cast<char16_t>(fields.U16(i * 2)));
    }
    return Utf8Of(name);
}

ReadResult<ByteRange> ResourceTree::Place(const ResourceData& data, std::uint64_t limit) const {
    const std::uint64_t length = std::min<std::uint64_t>(data.size, limit);
    const auto at = image_.FileOffset(data.rva, length);
    if (!at) {
        return Failure("resource data at RVA " + Hex(data.rva) + " (" + Hex(length) +
                       " bytes) lies outside the sections' data in the file");
    }
    if (!RangeInside(source_.Size(), *at, length)) {
        return Failure("resource data at " + Hex(*at) + " (" + Hex(length) +
                       " bytes) runs past the end of the file (" + Hex(source_.Size()) + " bytes)");
    }
    return ByteRange{*at, length};
}

}  // namespace platform::icons
