#include "platform/icons/IcoFile.h"

#include <algorithm>
#include <array>

#include "platform/icons/Fields.h"
#include "platform/icons/GroupDirectory.h"

namespace platform::icons {

namespace {

constexpr std::size_t kIcoHeaderSize = 6;
constexpr std::size_t kIcoEntrySize = 16;
constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// A DIB starts with the size of its header (BITMAPINFOHEADER or one of its later versions).
bool LooksLikeImage(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() >= kPngSignature.size() &&
        std::equal(kPngSignature.begin(), kPngSignature.end(), bytes.begin())) {
        return true;
    }
    Fields fields(bytes);
    const std::uint32_t headerSize = fields.U32(0);
    return fields.Ok() && (headerSize == 40 || headerSize == 108 || headerSize == 124);
}

}  // namespace

std::optional<IconGroup> ReadIcoFile(const ByteSource& source) {
    const auto header = ReadFixed<kIcoHeaderSize>(source, 0);
    if (!header) {
        return std::nullopt;
    }
    Fields headerFields(*header);
    const std::uint16_t count = headerFields.U16(4);
    if (headerFields.U16(0) != 0 || headerFields.U16(2) != 1 || count == 0) {
        return std::nullopt;
    }
    const auto table = ReadBytes(source, kIcoHeaderSize, std::uint64_t{count} * kIcoEntrySize);
    if (!table) {
        return std::nullopt;
    }
    Fields fields(*table);
    GroupCollector collector(ImageBudgetFor(source.Size()));
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = i * kIcoEntrySize;
        IconImage entry = ReadImageEntryFields(fields, at);
        const std::uint32_t offset = fields.U32(at + 12);
        if (!collector.Admits(entry.bytesInRes)) {
            continue;
        }
        auto bytes = ReadBytes(source, offset, entry.bytesInRes);
        if (bytes && LooksLikeImage(*bytes)) {
            collector.Add(std::move(entry), std::move(*bytes));
        }
    }
    return std::move(collector).Finish();
}

}  // namespace platform::icons
