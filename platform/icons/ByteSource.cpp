#include "platform/icons/ByteSource.h"

#include <algorithm>
#include <cstdio>

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

ReadResult<std::vector<std::uint8_t>> ReadStructure(const ByteSource& source, std::uint64_t offset,
                                                    std::uint64_t length, const Subject& what) {
    if (auto bytes = ReadBytes(source, offset, length)) {
        return std::move(*bytes);
    }
    const std::string where = what.Text() + " at " + Hex(offset) + " (" + Hex(length) + " bytes)";
    if (!RangeInside(source.Size(), offset, length)) {
        return Failure(where + " runs past the end of the file (" + Hex(source.Size()) + " bytes)");
    }
    return Failure(where +
                   (length > kMaxRead ? " is larger than any read may be" : " cannot be read"));
}

std::string Hex(std::uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

}  // namespace platform::icons
