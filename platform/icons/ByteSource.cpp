#include "platform/icons/ByteSource.h"

#include <algorithm>

namespace platform::icons {

bool MemorySource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
    if (!RangeInside(bytes_.size(), offset, out.size())) {
        return false;
    }
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return true;
}

std::optional<std::vector<std::uint8_t>> ReadBytes(const ByteSource& source, std::uint64_t offset,
                                                   std::uint64_t length) {
    if (length > kMaxRead || !RangeInside(source.Size(), offset, length)) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
    if (!source.ReadAt(offset, bytes)) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace platform::icons
