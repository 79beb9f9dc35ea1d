#include "platform/icons/ResourceTree.h"

#include <algorithm>

#include "platform/icons/Fields.h"

namespace platform::icons {

namespace {

constexpr std::size_t kDirectoryHeaderSize = 16;
constexpr std::size_t kEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;

std::uint64_t EntryOffset(std::uint32_t directory, std::uint64_t index) {
    return std::uint64_t{directory} + kDirectoryHeaderSize + index * kEntrySize;
}

ResourceEntry EntryFrom(Fields& fields, std::size_t at) {
    return {fields.U32(at), fields.U32(at + 4)};
}

}  // namespace

std::optional<std::uint64_t> ResourceTree::Locate(std::uint64_t offset,
                                                  std::uint64_t length) const {
    return image_.FileOffset(std::uint64_t{rootRva_} + offset, length);
}

std::optional<DirectoryCounts> ResourceTree::Counts(std::uint32_t offset) const {
    const auto at = Locate(offset, kDirectoryHeaderSize);
    const auto header = at ? ReadFixed<kDirectoryHeaderSize>(source_, *at) : std::nullopt;
    if (!header) {
        return std::nullopt;
    }
    Fields fields(*header);
    return DirectoryCounts{fields.U16(12), fields.U16(14)};
}

std::optional<ResourceEntry> ResourceTree::EntryAt(std::uint32_t offset,
                                                   std::uint32_t index) const {
    const auto at = Locate(EntryOffset(offset, index), kEntrySize);
    const auto bytes = at ? ReadFixed<kEntrySize>(source_, *at) : std::nullopt;
    if (!bytes) {
        return std::nullopt;
    }
    Fields fields(*bytes);
    return EntryFrom(fields, 0);
}

std::optional<std::vector<ResourceEntry>> ResourceTree::EntriesAt(std::uint32_t offset,
                                                                  std::uint32_t first,
                                                                  std::uint32_t count) const {
    const std::uint64_t length = std::uint64_t{count} * kEntrySize;
    const auto at = Locate(EntryOffset(offset, first), length);
    const auto bytes = at ? ReadBytes(source_, *at, length) : std::nullopt;
    if (!bytes) {
        return std::nullopt;
    }
    Fields fields(*bytes);
    std::vector<ResourceEntry> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        entries.push_back(EntryFrom(fields, i * kEntrySize));
    }
    return entries;
}

std::optional<std::vector<ResourceEntry>> ResourceTree::Entries(std::uint32_t offset) const {
    const auto counts = Counts(offset);
    return counts ? EntriesAt(offset, 0, counts->Total()) : std::nullopt;
}

std::optional<std::uint32_t> ResourceTree::Subdirectory(const ResourceEntry& entry) {
    if (!entry.IsDirectory()) {
        return std::nullopt;
    }
    return entry.TargetOffset();
}

std::optional<ResourceData> ResourceTree::FirstLanguage(std::uint32_t offset) const {
    const auto at = Locate(offset, kDirectoryHeaderSize + kEntrySize);
    const auto bytes =
        at ? ReadFixed<kDirectoryHeaderSize + kEntrySize>(source_, *at) : std::nullopt;
    if (!bytes) {
        return std::nullopt;
    }
    Fields fields(*bytes);
    const std::uint32_t count = std::uint32_t{fields.U16(12)} + fields.U16(14);
    const ResourceEntry first = EntryFrom(fields, kDirectoryHeaderSize);
    if (count == 0 || first.IsDirectory()) {
        return std::nullopt;  // a language must lead to data, never to a fourth level
    }
    const auto dataAt = Locate(first.TargetOffset(), kDataEntrySize);
    const auto data = dataAt ? ReadFixed<kDataEntrySize>(source_, *dataAt) : std::nullopt;
    if (!data) {
        return std::nullopt;
    }
    Fields dataFields(*data);
    return ResourceData{dataFields.U32(0), dataFields.U32(4)};
}

std::optional<ByteRange> ResourceTree::Place(const ResourceData& data, std::uint64_t limit) const {
    const std::uint64_t length = std::min<std::uint64_t>(data.size, limit);
    const auto at = image_.FileOffset(data.rva, length);
    if (!at || !RangeInside(source_.Size(), *at, length)) {
        return std::nullopt;
    }
    return ByteRange{*at, length};
}

}  // namespace platform::icons
