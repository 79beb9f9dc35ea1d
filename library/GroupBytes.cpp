#include <new>

#include "library/FileState.h"
#include "platform/picture/IcoFileWriter.h"

// File::IcoBytes: a group written as a file of its own.
namespace quorvane {

namespace icons = platform::icons;
namespace picture = platform::picture;

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
        auto bytes = picture::GroupFileBytes(**group, state_->file.Groups().Kind());
        if (!bytes) {
            return Error{"the group is too large to write as one file"};
        }
        return std::move(*bytes);
    } catch (const std::bad_alloc&) {
        return Error{"out of memory while reading group " + std::to_string(index)};
    }
}

}  // namespace quorvane
