// Recognises the format of a file, hands it to its reader, and reads one group's images through
// the shared resources. The same code serves files (read with pread) and buffers in memory.
#include "platform/icons/IconReader.h"

#include <algorithm>
#include <exception>
#include <span>

#include "platform/format/LittleEndian.h"
#include "platform/icons/ByteSource.h"
#include "platform/icons/detail/AniFileReader.h"
#include "platform/icons/detail/GroupReading.h"
#include "platform/icons/detail/IcoFileReader.h"
#include "platform/icons/detail/NeResources.h"
#include "platform/icons/detail/PeResources.h"
#include "platform/icons/detail/SharedResources.h"

namespace platform::icons {

namespace {

constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kNewHeaderOffsetField = 0x3C;

// The executable whose MS-DOS header (its first 64 bytes, starting with "MZ") is `dos`.
ReadResult<std::unique_ptr<GroupTable>> OpenExecutable(const ByteSource& source,
                                                       std::span<const std::uint8_t> dos,
                                                       const format::ResourceKind& kind) {
    if (dos.size() < kDosHeaderSize) {
        return Failure("MS-DOS header at 0x0 runs past the end of the file (" + Hex(source.Size()) +
                       " bytes)");
    }
    const std::uint64_t newHeader = format::Fields(dos).U32(kNewHeaderOffsetField);
    const auto signature = ReadStructure<4>(source, newHeader, "new executable header");
    if (!signature) {
        return signature.error();
    }
    const auto& s = *signature;
    if (s[0] == 'P' && s[1] == 'E' && s[2] == 0 && s[3] == 0) {
        return OpenPeIconGroups(source, newHeader, kind);
    }
    if (s[0] == 'N' && s[1] == 'E') {
        return OpenNeIconGroups(source, newHeader, kind);
    }
    return Failure("an MS-DOS program: the header at " + Hex(newHeader) +
                   " is neither \"PE\" nor \"NE\"");
}

// The readable images of a group record, sharing what is held from the same file; the reason of
// the first image left out when none can be taken.
ReadResult<IconGroup> CollectImages(const ByteSource& source, GroupTable& groups,
                                    const GroupRecord& record, SharedResources& shared) {
    std::vector<ReadResult<PlacedImage>> places;
    std::vector<ByteRange> readable;
    for (std::size_t i = 0; i < record.entries.size(); ++i) {
        places.push_back(PlaceImage(source, groups, record, i));
        if (places.back() && IsReadableImage(places.back()->range)) {
            readable.push_back(places.back()->range);
        }
    }
    shared.ReadAhead(std::move(readable));  // a group's images mostly lie end to end
    IconGroup group;
    std::optional<ReadError> firstProblem;
    for (std::size_t i = 0; i < record.entries.size(); ++i) {
        const auto& placed = places[i];
        auto range = placed ? ReadResult<ByteRange>(placed->range) : placed.error();
        if (range && !IsReadableImage(*range)) {
            range = Failure("image " + std::to_string(i) + " at " + Hex(range->offset) +
                            " is empty or larger than any read may be");
        }
        ImageBytes bytes = range ? shared.Image(*range) : ImageBytes();
        if (range && bytes.empty()) {
            range = Failure("image " + std::to_string(i) + " at " + Hex(range->offset) +
                            " cannot be read, or the file names more bytes than it holds");
        }
        if (!range) {  // an image that cannot be found or read is left out
            firstProblem = firstProblem ? firstProblem : range.error();
            continue;
        }
        group.images.push_back(record.entries[i]);
        group.images.back().bytes = std::move(bytes);
        if (placed->hotspot) {
            group.images.back().hotspot = placed->hotspot;
        }
    }
    if (group.images.empty()) {
        return Failure("none of its " + std::to_string(record.entries.size()) +
                       " images can be taken: " + firstProblem->reason);
    }
    return group;
}

}  // namespace

ReadResult<std::unique_ptr<GroupTable>> OpenIconGroups(const ByteSource& source,
                                                       const format::ResourceKind& kind) {
    // One read serves both the magic and, for an executable, its whole MS-DOS header.
    const auto head = ReadBytes(source, 0, std::min<std::uint64_t>(kDosHeaderSize, source.Size()));
    if (head && head->size() >= 2 && (*head)[0] == 'M' && (*head)[1] == 'Z') {
        return OpenExecutable(source, *head, kind);
    }
    return kind.directoryType == 0 ? OpenAniFileGroups(source, kind)
                                   : OpenIcoIconGroups(source, kind);
}

ReadResult<PlacedImage> PlaceImage(const ByteSource& source, GroupTable& groups,
                                   const GroupRecord& record, std::size_t entry) {
    constexpr std::uint64_t kHotspotSize = 4;
    const auto range = groups.ImageOf(record, entry);
    if (!range) {
        return range.error();
    }
    if (!record.hotspotInItems || range->length > kMaxRead) {
        // One too large to read is left whole for the caller to refuse, never cut after a hotspot.
        return PlacedImage{*range, std::nullopt};
    }
    const std::string what = std::string(groups.Kind().itemNoun) + " " +
                             std::to_string(record.entries.at(entry).resourceId);
    if (range->length <= kHotspotSize) {
        return Failure(what + " at " + Hex(range->offset) + " holds " +
                       std::to_string(range->length) + " bytes: no image after its 4-byte hotspot");
    }
    const auto hotspot = ReadStructure<kHotspotSize>(source, range->offset, "cursor hotspot");
    if (!hotspot) {
        return hotspot.error();
    }
    format::Fields fields(*hotspot);
    return PlacedImage{{range->offset + kHotspotSize, range->length - kHotspotSize},
                       Hotspot{fields.U16(0), fields.U16(2)}};
}

bool IsReadableImage(const ByteRange& range) {
    return range.length != 0 && range.length <= kMaxRead;
}

ReadResult<std::shared_ptr<const IconGroup>> ReadIconGroupFrom(const ByteSource& source,
                                                               GroupTable& groups,
                                                               std::int32_t index) {
    const std::uint32_t count = groups.Count();
    if (index < 0 || static_cast<std::uint32_t>(index) >= count) {
        return Failure(std::string("there is no ") + groups.Kind().noun + " " +
                       std::to_string(index) + ": the file has " + std::to_string(count));
    }
    const auto record = groups.Group(static_cast<std::uint32_t>(index));
    if (!record) {
        return record.error();
    }
    SharedResources shared(source);
    auto group = CollectImages(source, groups, *record, shared);
    if (!group) {
        return group.error();
    }
    auto kept = shared.Keep(record->range, std::move(*group));
    if (!kept) {
        return Failure("the file names more bytes than it holds: its budget is spent");
    }
    return kept;
}

std::optional<IconGroup> ReadIconGroup(std::span<const std::uint8_t> file, std::int32_t index) {
    try {
        const MemorySource source(file);
        auto groups = OpenIconGroups(source);
        const auto group = groups ? ReadIconGroupFrom(source, **groups, index) : groups.error();
        return group ? std::optional<IconGroup>(**group) : std::nullopt;
    } catch (const std::exception&) {  // std::bad_alloc above all
        return std::nullopt;
    }
}

}  // namespace platform::icons
