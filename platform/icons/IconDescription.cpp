#include "platform/icons/IconDescription.h"

#include <algorithm>
#include <unordered_map>

#include "platform/icons/GroupTable.h"
#include "platform/icons/detail/GroupReading.h"

namespace platform::icons {

namespace {

ReadResult<DescribedImage> DescribeImage(const ByteSource& source, GroupTable& groups,
                                         const GroupRecord& record, std::size_t entry) {
    const auto placed = PlaceImage(source, groups, record, entry);
    if (!placed) {
        return placed.error();
    }
    const ByteRange* range = &placed->range;
    if (!IsReadableImage(*range)) {
        return Failure("image " + std::to_string(entry) + " at " + Hex(range->offset) +
                       " is empty or larger than any read may be");
    }
    auto head = ReadStructure(source, range->offset,
                              std::min<std::uint64_t>(range->length, kImageHeadLength), "image");
    if (!head) {
        return head.error();
    }
    DescribedImage described{record.entries[entry], range->length, *range};
    described.image.bytes = std::move(*head);
    if (placed->hotspot) {
        described.image.hotspot = placed->hotspot;
    }
    return described;
}

DescribedGroup DescribeGroup(const ByteSource& source, GroupTable& groups,
                             const ReadResult<GroupRecord>& record) {
    DescribedGroup group;
    if (!record) {
        group.problem = record.error().reason;
        return group;
    }
    std::string firstProblem;
    for (std::size_t i = 0; i < record->entries.size(); ++i) {
        auto image = DescribeImage(source, groups, *record, i);
        if (image) {
            group.images.push_back(std::move(*image));
        } else if (firstProblem.empty()) {
            firstProblem = image.error().reason;
        }
    }
    if (group.images.empty()) {
        group.problem = "none of its " + std::to_string(record->entries.size()) +
                        " images can be taken: " + firstProblem;
    }
    return group;
}

}  // namespace

void DescribeIconGroups(const IconFile& file,
                        const std::function<void(const DescribedGroup&)>& each,
                        std::uint32_t last) {
    GroupTable& groups = file.Groups();
    std::unordered_map<ByteRange, std::uint32_t, ByteRangeHash> described;
    for (std::uint32_t index = 0; index < groups.Count() && index <= last; ++index) {
        const auto record = groups.Group(index);
        const auto earlier = record ? described.find(record->range) : described.end();
        DescribedGroup group;
        if (earlier != described.end()) {
            group.sameAs = earlier->second;
        } else {
            group = DescribeGroup(file.Source(), groups, record);
            if (record) {
                described.emplace(record->range, index);
            }
        }
        group.index = index;
        if (record) {
            group.name = record->name;
        }
        each(group);
    }
}

}  // namespace platform::icons
