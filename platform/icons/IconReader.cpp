// Recognises the format of a file, hands it to its reader, and reads one group's images through
// the shared resources. The same code serves files (read with pread) and buffers in memory.
#include "platform/icons/IconReader.h"

#include <exception>

#include "platform/icons/ByteSource.h"
#include "platform/icons/Fields.h"
#include "platform/icons/IcoFile.h"
#include "platform/icons/IconSource.h"
#include "platform/icons/NeResources.h"
#include "platform/icons/PeResources.h"

namespace platform::icons {

namespace {

constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kNewHeaderOffsetField = 0x3C;

std::unique_ptr<IconGroups> OpenExecutable(const ByteSource& source) {
    const auto dos = ReadFixed<kDosHeaderSize>(source, 0);
    if (!dos) {
        return nullptr;
    }
    const std::uint64_t newHeader = Fields(*dos).U32(kNewHeaderOffsetField);
    const auto signature = ReadFixed<4>(source, newHeader);
    if (!signature) {
        return nullptr;
    }
    const auto& s = *signature;
    if (s[0] == 'P' && s[1] == 'E' && s[2] == 0 && s[3] == 0) {
        return OpenPeIconGroups(source, newHeader);
    }
    if (s[0] == 'N' && s[1] == 'E') {
        return OpenNeIconGroups(source, newHeader);
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<IconGroups> OpenIconGroups(const ByteSource& source) {
    const auto magic = ReadFixed<2>(source, 0);
    if (!magic) {
        return nullptr;
    }
    if ((*magic)[0] == 'M' && (*magic)[1] == 'Z') {
        return OpenExecutable(source);
    }
    return OpenIcoIconGroups(source);
}

bool IsReadableImage(const ByteRange& range) {
    return range.length != 0 && range.length <= kMaxRead;
}

std::shared_ptr<const IconGroup> ReadIconGroupFrom(const ByteSource& source, std::int32_t index) {
    const auto groups = index >= 0 ? OpenIconGroups(source) : nullptr;
    const auto record = groups ? groups->Group(static_cast<std::uint32_t>(index)) : std::nullopt;
    if (!record) {
        return nullptr;
    }
    SharedResources shared(source);
    IconGroup group;
    for (std::size_t i = 0; i < record->entries.size(); ++i) {
        const auto range = groups->ImageOf(*record, i);
        ImageBytes bytes = range && IsReadableImage(*range) ? shared.Image(*range) : ImageBytes();
        if (!bytes.empty()) {  // an image that cannot be found or read is left out
            group.images.push_back(record->entries[i]);
            group.images.back().bytes = std::move(bytes);
        }
    }
    return shared.Keep(record->range, std::move(group));
}

std::optional<IconGroup> ReadIconGroup(std::span<const std::uint8_t> file, std::int32_t index) {
    try {
        const auto group = ReadIconGroupFrom(MemorySource(file), index);
        return group ? std::optional<IconGroup>(*group) : std::nullopt;
    } catch (const std::exception&) {  // std::bad_alloc above all
        return std::nullopt;
    }
}

}  // namespace platform::icons
