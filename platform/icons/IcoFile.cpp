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
bool LooksLikeImage(std::span<const std::uint8_t> head) {
    if (head.size() >= kPngSignature.size() &&
        std::equal(kPngSignature.begin(), kPngSignature.end(), head.begin())) {
        return true;
    }
    Fields fields(head);
    const std::uint32_t headerSize = fields.U32(0);
    return fields.Ok() && (headerSize == 40 || headerSize == 108 || headerSize == 124);
}

class IcoIconGroups final : public IconGroups {
public:
    IcoIconGroups(const ByteSource& source, std::uint16_t count) : source_(source), count_(count) {}

    std::uint32_t Count() const override { return 1; }

    ReadResult<GroupRecord> Group(std::uint32_t /*index*/) override {
        const ByteRange range{kIcoHeaderSize, std::uint64_t{count_} * kIcoEntrySize};
        const auto table = ReadStructure(source_, range.offset, range.length, "icon directory");
        if (!table) {
            return table.error();
        }
        Fields fields(*table);
        GroupRecord group{range, {}, {}};
        offsets_.clear();
        for (std::size_t i = 0; i < std::min<std::size_t>(count_, kMaxImagesPerGroup); ++i) {
            group.entries.push_back(ReadImageEntryFields(fields, i * kIcoEntrySize));
            offsets_.push_back(fields.U32(i * kIcoEntrySize + 12));
        }
        return group;
    }

    // The entry's stated size at its stated offset, when its first bytes look like an image.
    ReadResult<ByteRange> ImageOf(const GroupRecord& group, std::size_t entry) override {
        const ByteRange range{offsets_.at(entry), group.entries.at(entry).bytesInRes};
        const std::string what = "image " + std::to_string(entry);
        const auto head =
            ReadStructure(source_, range.offset,
                          std::min<std::uint64_t>(range.length, kPngSignature.size()), what);
        if (!head || !RangeInside(source_.Size(), range.offset, range.length)) {
            return Failure(what + " at " + Hex(range.offset) + " (" + Hex(range.length) +
                           " bytes) runs past the end of the file (" + Hex(source_.Size()) +
                           " bytes)");
        }
        if (!LooksLikeImage(*head)) {
            return Failure(what + " at " + Hex(range.offset) + " is neither a DIB nor a PNG");
        }
        return range;
    }

private:
    const ByteSource& source_;
    std::uint16_t count_;
    std::vector<std::uint64_t> offsets_;  // of the entries of the last group read
};

}  // namespace

ReadResult<std::unique_ptr<IconGroups>> OpenIcoIconGroups(const ByteSource& source) {
    const auto header = ReadFixed<kIcoHeaderSize>(source, 0);
    if (!header) {
        return Failure("not an executable nor an icon file: it is shorter than their headers");
    }
    Fields fields(*header);
    const std::uint16_t count = fields.U16(4);
    if (fields.U16(0) != 0 || fields.U16(2) != 1) {
        return Failure("not an executable (it does not start with \"MZ\") nor an icon file");
    }
    if (count == 0) {
        return Failure("the icon file holds no image");
    }
    return std::unique_ptr<IconGroups>(std::make_unique<IcoIconGroups>(source, count));
}

}  // namespace platform::icons
