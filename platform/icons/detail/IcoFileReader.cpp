#include "platform/icons/detail/IcoFileReader.h"

#include <algorithm>
#include <array>

#include "platform/format/IconFormat.h"
#include "platform/format/LittleEndian.h"
#include "platform/icons/detail/GroupDirectory.h"

namespace platform::icons {

namespace {

using format::kIconDirHeaderSize;
using format::kIconFileEntrySize;

// A DIB starts with the size of its header (BITMAPINFOHEADER or one of its later versions).
bool LooksLikeImage(std::span<const std::uint8_t> head) {
    if (format::StartsWithPngSignature(head)) {
        return true;
    }
    format::Fields fields(head);
    const std::uint32_t headerSize = fields.U32(0);
    return fields.Ok() &&
           (headerSize == format::kBitmapInfoHeaderSize ||
            headerSize == format::kBitmapV4HeaderSize || headerSize == format::kBitmapV5HeaderSize);
}

class IcoIconGroups final : public GroupTable {
public:
    IcoIconGroups(const ByteSource& source, std::uint16_t count, const format::ResourceKind& kind)
        : source_(source), count_(count), kind_(kind) {}

    const format::ResourceKind& Kind() const override { return kind_; }

    std::uint32_t Count() const override { return 1; }

    ReadResult<GroupRecord> Group(std::uint32_t /*index*/) override {
        const ByteRange range{kIconDirHeaderSize, std::uint64_t{count_} * kIconFileEntrySize};
        const auto table =
            ReadStructure(source_, range.offset, range.length, Subject(kind_.noun, " directory"));
        if (!table) {
            return table.error();
        }
        format::Fields fields(*table);
        GroupRecord group{range, {}, {}};
        offsets_.clear();
        for (std::size_t i = 0; i < std::min<std::size_t>(count_, kMaxImagesPerGroup); ++i) {
            group.entries.push_back(ReadImageEntryFields(fields, i * kIconFileEntrySize));
            if (kind_.directoryType == format::kTypeCursor) {  // hotspot x, y for planes, bits
                IconImage& image = group.entries.back();
                image.hotspot = Hotspot{image.entry.planes, image.entry.bitCount};
                image.entry.planes = 0;
                image.entry.bitCount = 0;
            }
            offsets_.push_back(fields.U32(i * kIconFileEntrySize + 12));
        }
        return group;
    }

    // The entry's stated size at its stated offset, when its first bytes look like an image.
    ReadResult<ByteRange> ImageOf(const GroupRecord& group, std::size_t entry) override {
        const ByteRange range{offsets_.at(entry), group.entries.at(entry).bytesInRes};
        const Subject what("image", entry);
        const auto head = ReadStructure(
            source_, range.offset,
            std::min<std::uint64_t>(range.length, format::kPngSignature.size()), what);
        if (!head || !RangeInside(source_.Size(), range.offset, range.length)) {
            return Failure(what.Text() + " at " + Hex(range.offset) + " (" + Hex(range.length) +
                           " bytes) runs past the end of the file (" + Hex(source_.Size()) +
                           " bytes)");
        }
        if (!LooksLikeImage(*head)) {
            return Failure(what.Text() + " at " + Hex(range.offset) +
                           " is neither a DIB nor a PNG");
        }
        return range;
    }

private:
    const ByteSource& source_;
    std::uint16_t count_;
    const format::ResourceKind& kind_;
    std::vector<std::uint64_t> offsets_;  // of the entries of the last group read
};

}  // namespace

ReadResult<std::unique_ptr<GroupTable>> OpenIcoIconGroups(const ByteSource& source,
                                                          const format::ResourceKind& kind) {
    const auto header = ReadFixed<kIconDirHeaderSize>(source, 0);
    if (!header) {
        return Failure(std::string("not an executable nor ") + kind.fileWord +
                       ": it is shorter than their headers");
    }
    format::Fields fields(*header);
    const std::uint16_t count = fields.U16(4);
    if (fields.U16(0) != 0 || fields.U16(2) != kind.directoryType) {
        return Failure(std::string("not an executable (it does not start with \"MZ\") nor ") +
                       kind.fileWord);
    }
    if (count == 0) {
        return Failure(std::string("the ") + kind.noun + " file holds no image");
    }
    return std::unique_ptr<GroupTable>(std::make_unique<IcoIconGroups>(source, count, kind));
}

}  // namespace platform::icons
