#include "platform/picture/IcoFileWriter.h"

#include <limits>

#include "platform/format/IconFormat.h"
#include "platform/format/ImageHeader.h"
#include "platform/format/LittleEndian.h"

namespace platform::picture {

namespace {

using format::AppendLittle16;
using format::AppendLittle32;
constexpr std::size_t kHeaderSize = format::kIconDirHeaderSize;
constexpr std::size_t kEntrySize = format::kIconFileEntrySize;

void PutEntry(std::vector<std::uint8_t>& out, const IcoEntry& entry, std::uint32_t offset) {
    const icons::IconDirEntry& fields = entry.entry;
    out.push_back(fields.width);
    out.push_back(fields.height);
    out.push_back(fields.colorCount);
    out.push_back(fields.reserved);
    AppendLittle16(out, fields.planes);
    AppendLittle16(out, fields.bitCount);
    AppendLittle32(out, static_cast<std::uint32_t>(entry.bytes.size()));
    AppendLittle32(out, offset);
}

// The total size of the file, or std::nullopt when it does not fit 32-bit offsets and sizes.
std::optional<std::uint64_t> FileSize(std::span<const IcoEntry> entries) {
    if (entries.size() > std::numeric_limits<std::uint16_t>::max()) {
        return std::nullopt;
    }
    std::uint64_t size = kHeaderSize + kEntrySize * entries.size();
    for (const IcoEntry& entry : entries) {
        size += entry.bytes.size();
        if (size > std::numeric_limits<std::uint32_t>::max()) {
            return std::nullopt;
        }
    }
    return size;
}

}  // namespace

IcoEntry IcoEntryOf(const icons::IconImage& image) {
    return {.entry = image.entry, .bytes = image.bytes};
}

IcoEntry CurEntryOf(const icons::IconImage& image) {
    IcoEntry cursor{.entry = image.entry, .bytes = image.bytes};
    const auto side = [](std::int64_t pixels) {
        return static_cast<std::uint8_t>(pixels >= 256 ? 0 : pixels);
    };
    if (const auto header = format::ReadImageHeader(image.bytes)) {
        cursor.entry.width = side(header->width);
        cursor.entry.height = side(header->height);
        cursor.entry.colorCount = header->depth >= 1 && header->depth < 8
                                      ? static_cast<std::uint8_t>(1 << header->depth)
                                      : 0;
    }
    cursor.entry.reserved = 0;
    const icons::Hotspot hotspot = image.hotspot.value_or(icons::Hotspot{});
    cursor.entry.planes = hotspot.x;
    cursor.entry.bitCount = hotspot.y;
    return cursor;
}

std::optional<std::vector<std::uint8_t>> IcoDirectoryBytes(std::span<const IcoEntry> entries,
                                                           std::uint16_t type) {
    if (!FileSize(entries)) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> out;
    out.reserve(kHeaderSize + kEntrySize * entries.size());
    AppendLittle16(out, 0);
    AppendLittle16(out, type);
    AppendLittle16(out, static_cast<std::uint16_t>(entries.size()));
    auto offset = static_cast<std::uint32_t>(kHeaderSize + kEntrySize * entries.size());
    for (const IcoEntry& entry : entries) {
        PutEntry(out, entry, offset);
        offset += static_cast<std::uint32_t>(entry.bytes.size());
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> IcoFileBytes(std::span<const IcoEntry> entries,
                                                      std::uint16_t type) {
    std::optional<std::vector<std::uint8_t>> out = IcoDirectoryBytes(entries, type);
    if (!out) {
        return std::nullopt;
    }
    out->reserve(static_cast<std::size_t>(*FileSize(entries)));
    for (const IcoEntry& entry : entries) {
        out->insert(out->end(), entry.bytes.begin(), entry.bytes.end());
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> GroupFileBytes(const icons::IconGroup& group,
                                                        const format::ResourceKind& kind) {
    if (kind.StandsAlone()) {
        return group.images.at(0).bytes.Vector();
    }
    const bool cursors = kind.directoryType == format::kCursorResources.directoryType;
    std::vector<IcoEntry> entries;
    entries.reserve(group.images.size());
    for (const icons::IconImage& image : group.images) {
        entries.push_back(cursors ? CurEntryOf(image) : IcoEntryOf(image));
    }
    return IcoFileBytes(entries, cursors ? format::kTypeCursor : format::kTypeIcon);
}

}  // namespace platform::picture
