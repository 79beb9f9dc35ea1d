#include "platform/icons/detail/GroupDirectory.h"

#include <algorithm>

#include "platform/format/LittleEndian.h"

namespace platform::icons {

namespace {

IconImage ParseEntry(format::Fields& fields, std::size_t at, bool cursor) {
    IconImage image = ReadImageEntryFields(fields, at);
    if (cursor) {
        image.entry.width = static_cast<std::uint8_t>(fields.U16(at));
        image.entry.height = static_cast<std::uint8_t>(fields.U16(at + 2));
        image.entry.colorCount = 0;
        image.entry.reserved = 0;
    }
    image.resourceId = fields.U16(at + 12);
    return image;
}

}  // namespace

IconImage ReadImageEntryFields(format::Fields& fields, std::size_t at) {
    IconImage image;
    image.entry = {.width = fields.U8(at),
                   .height = fields.U8(at + 1),
                   .colorCount = fields.U8(at + 2),
                   .reserved = fields.U8(at + 3),
                   .planes = fields.U16(at + 4),
                   .bitCount = fields.U16(at + 6)};
    image.bytesInRes = fields.U32(at + 8);
    return image;
}

ReadResult<std::vector<IconImage>> ParseGroupDirectory(std::span<const std::uint8_t> bytes,
                                                       std::uint64_t at,
                                                       const format::ResourceKind& kind) {
    format::Fields fields(bytes);
    const std::uint16_t type = fields.U16(2);
    const std::size_t count = fields.U16(4);
    const std::string where = "group directory at " + Hex(at);
    if (!fields.Ok()) {
        return Failure(where + " is shorter than its 6-byte header");
    }
    if (type != kind.directoryType) {
        return Failure(where + " is of type " + std::to_string(type) + ", not " +
                       std::to_string(kind.directoryType) + " (" + kind.noun + ")");
    }
    if (count == 0) {
        return Failure(where + " names no image");
    }
    if (count > (bytes.size() - format::kIconDirHeaderSize) / format::kGroupEntrySize) {
        return Failure(
            where + " announces " + std::to_string(count) + " entries but holds " +
            std::to_string((bytes.size() - format::kIconDirHeaderSize) / format::kGroupEntrySize));
    }
    const std::size_t kept = std::min(count, kMaxImagesPerGroup);
    std::vector<IconImage> entries;
    entries.reserve(kept);
    const bool cursor = kind.directoryType == format::kTypeCursor;
    for (std::size_t i = 0; i < kept; ++i) {
        entries.push_back(
            ParseEntry(fields, format::kIconDirHeaderSize + i * format::kGroupEntrySize, cursor));
    }
    return entries;
}

}  // namespace platform::icons
