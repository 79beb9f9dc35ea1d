#include <new>

#include "library/FileState.h"
#include "platform/format/IconFormat.h"
#include "platform/picture/IcoFileWriter.h"

// File::IcoBytes: a group written as a file of its own.
namespace quorvane {

namespace icons = platform::icons;
namespace picture = platform::picture;

namespace {

// The .ico (icons) or .cur (cursors) file of a group read whole, or an animated resource's bytes.
Result<std::vector<std::uint8_t>> FileBytesOf(const icons::IconGroup& group, Kind kind) {
    if (kind == Kind::Animated) {
        return group.images.at(0).bytes.Vector();
    }
    std::vector<picture::IcoEntry> entries;
    entries.reserve(group.images.size());
    for (const icons::IconImage& image : group.images) {
        entries.push_back(kind == Kind::Cursors ? picture::CurEntryOf(image)
                                                : picture::IcoEntryOf(image));
    }
    auto bytes =
        picture::IcoFileBytes(entries, kind == Kind::Cursors ? platform::format::kTypeCursor
                                                             : platform::format::kTypeIcon);
    if (!bytes) {
        return Error{"the group is too large to write as one file"};
    }
    return std::move(*bytes);
}

}  // namespace

Result<std::vector<std::uint8_t>> File::IcoBytes(std::uint32_t index) const {
    if (const auto missing = MissingGroup(*state_, index)) {
        return *missing;
    }
    try {
        const std::lock_guard lock(state_->mutex);
        const auto group = icons::ReadGroup(state_->file, static_cast<std::int32_t>(index));
        if (!group) {
            return Error{group.error().reason};
        }
        return FileBytesOf(**group, state_->kind);
    } catch (const std::bad_alloc&) {
        return Error{"out of memory while reading group " + std::to_string(index)};
    }
}

}  // namespace quorvane
