#include "platform/icons/IconDescription.h"

#include <algorithm>
#include <exception>
#include <unordered_map>

#include "platform/icons/FileSource.h"
#include "platform/icons/IconGroups.h"
#include "platform/icons/IconSource.h"

namespace platform::icons {

namespace {

std::optional<DescribedImage> DescribeImage(const ByteSource& source, IconGroups& groups,
                                            const GroupRecord& record, std::size_t entry) {
    const auto range = groups.ImageOf(record, entry);
    if (!range || !IsReadableImage(*range)) {
        return std::nullopt;
    }
    const auto head =
        ReadBytes(source, range->offset, std::min<std::uint64_t>(range->length, kImageHeadLength));
    if (!head) {
        return std::nullopt;
    }
    DescribedImage described{record.entries[entry], range->length};
    described.image.bytes = std::move(*head);
    return described;
}

DescribedGroup DescribeGroup(const ByteSource& source, IconGroups& groups,
                             const std::optional<GroupRecord>& record) {
    DescribedGroup group;
    if (!record) {
        group.problem = "its group directory cannot be read or is not an icon group";
        return group;
    }
    for (std::size_t i = 0; i < record->entries.size(); ++i) {
        if (auto image = DescribeImage(source, groups, *record, i)) {
            group.images.push_back(std::move(*image));
        }
    }
    if (group.images.empty()) {
        group.problem = "none of its " + std::to_string(record->entries.size()) +
                        " images can be found in the file";
    }
    return group;
}

FileDescription Unusable(const std::string& problem) {
    FileDescription result;
    result.readable = true;
    result.problem = problem;
    return result;
}

}  // namespace

FileDescription DescribeIconGroups(const std::string& path,
                                   const std::function<void(const DescribedGroup&)>& each) {
    try {
        const auto file = FileSource::Open(path);
        if (!file) {
            return {};
        }
        const auto groups = OpenIconGroups(*file);
        if (!groups || groups->Count() == 0) {
            return Unusable("no icon resources");
        }
        std::unordered_map<ByteRange, std::uint32_t, ByteRangeHash> described;
        for (std::uint32_t index = 0; index < groups->Count(); ++index) {
            const auto record = groups->Group(index);
            const auto earlier = record ? described.find(record->range) : described.end();
            DescribedGroup group;
            if (earlier != described.end()) {
                group.sameAs = earlier->second;
            } else {
                group = DescribeGroup(*file, *groups, record);
                if (record) {
                    described.emplace(record->range, index);
                }
            }
            group.index = index;
            group.count = groups->Count();
            each(group);
        }
        FileDescription result;
        result.readable = true;
        result.groupCount = groups->Count();
        return result;
    } catch (const std::exception&) {  // std::bad_alloc above all
        return Unusable("out of memory while reading it");
    }
}

}  // namespace platform::icons
