#include "platform/picture/IcoFile.h"

#include <limits>

namespace platform::picture {

namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::uint16_t kTypeIcon = 1;

void Put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(value >> 16));
}

void PutEntry(std::vector<std::uint8_t>& out, const IcoEntry& entry, std::uint32_t offset) {
    const icons::IconDirEntry& fields = entry.entry;
    out.push_back(fields.width);
    out.push_back(fields.height);
    out.push_back(fields.colorCount);
    out.push_back(fields.reserved);
    Put16(out, fields.planes);
    Put16(out, fields.bitCount);
    Put32(out, static_cast<std::uint32_t>(entry.bytes.size()));
    Put32(out, offset);
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

std::optional<std::vector<std::uint8_t>> IcoDirectoryBytes(std::span<const IcoEntry> entries) {
    if (!FileSize(entries)) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> out;
    out.reserve(kHeaderSize + kEntrySize * entries.size());
    Put16(out, 0);
    Put16(out, kTypeIcon);
    Put16(out, static_cast<std::uint16_t>(entries.size()));
    auto offset = static_cast<std::uint32_t>(kHeaderSize + kEntrySize * entries.size());
    for (const IcoEntry& entry : entries) {
        PutEntry(out, entry, offset);
        offset += static_cast<std::uint32_t>(entry.bytes.size());
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> IcoFileBytes(std::span<const IcoEntry> entries) {
    std::optional<std::vector<std::uint8_t>> out = IcoDirectoryBytes(entries);
    if (!out) {
        return std::nullopt;
    }
    out->reserve(static_cast<std::size_t>(*FileSize(entries)));
    for (const IcoEntry& entry : entries) {
        out->insert(out->end(), entry.bytes.begin(), entry.bytes.end());
    }
    return out;
}

}  // namespace platform::picture
