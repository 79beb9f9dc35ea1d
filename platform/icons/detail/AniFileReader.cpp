#include "platform/icons/detail/AniFileReader.h"

#include <algorithm>

#include "platform/format/ImageHeader.h"
#include "platform/format/LittleEndian.h"

namespace platform::icons {

namespace {

class AniFileGroups final : public GroupTable {
public:
    AniFileGroups(const ByteSource& source, const format::ResourceKind& kind)
        : source_(source), kind_(kind) {}

    const format::ResourceKind& Kind() const override { return kind_; }
    std::uint32_t Count() const override { return 1; }

    ReadResult<GroupRecord> Group(std::uint32_t /*index*/) override {
        IconImage image;
        image.bytesInRes =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(source_.Size(), 0xFFFFFFFFu));
        return GroupRecord{{0, source_.Size()}, {image}, {}};
    }

    ReadResult<ByteRange> ImageOf(const GroupRecord& group, std::size_t /*entry*/) override {
        return CheckAnimatedCursor(source_, group.range, kind_.fileWord);
    }

private:
    const ByteSource& source_;
    const format::ResourceKind& kind_;
};

}  // namespace

ReadResult<ByteRange> CheckAnimatedCursor(const ByteSource& source, const ByteRange& range,
                                          const std::string& what) {
    if (range.length > kMaxRead) {
        return range;
    }
    const auto header = range.length >= format::kRiffHeaderSize
                            ? ReadFixed<format::kRiffHeaderSize>(source, range.offset)
                            : std::nullopt;
    if (!header || !format::IsAnimatedCursor(*header)) {
        return Failure(what + " at " + Hex(range.offset) + " (" + Hex(range.length) +
                       " bytes) is not a RIFF \"ACON\" file");
    }
    const std::uint64_t announced = 8 + std::uint64_t{format::Fields(*header).U32(4)};
    if (announced > range.length) {
        return Failure(what + " at " + Hex(range.offset) +
                       " is cut short: its RIFF chunk announces " + Hex(announced) +
                       " bytes, it holds " + Hex(range.length));
    }
    return range;
}

ReadResult<std::unique_ptr<GroupTable>> OpenAniFileGroups(const ByteSource& source,
                                                          const format::ResourceKind& kind) {
    const auto header = ReadFixed<format::kRiffHeaderSize>(source, 0);
    if (!header || !format::IsAnimatedCursor(*header)) {
        return Failure(std::string("not an executable (it does not start with \"MZ\") nor ") +
                       kind.fileWord);
    }
    return std::unique_ptr<GroupTable>(std::make_unique<AniFileGroups>(source, kind));
}

}  // namespace platform::icons
