#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Little-endian numbers, the byte order of every Windows file format: fields decoded from bytes
// already read, and numbers appended to bytes being written.
//
// Fields: little-endian fields decoded from bytes already read. An access outside the bytes gives 0
// and marks the whole decode as failed, so a reader checks Ok() once after taking its fields.
namespace platform::format {

class Fields {
public:
    explicit Fields(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t U8(std::size_t at) { return Has(at, 1) ? bytes_[at] : 0; }
    std::uint16_t U16(std::size_t at) {
        return Has(at, 2) ? static_cast<std::uint16_t>(bytes_[at] | bytes_[at + 1] << 8) : 0;
    }
    std::uint32_t U32(std::size_t at) {
        if (!Has(at, 4)) {
            return 0;
        }
        return static_cast<std::uint32_t>(bytes_[at]) |
               static_cast<std::uint32_t>(bytes_[at + 1]) << 8 |
               static_cast<std::uint32_t>(bytes_[at + 2]) << 16 |
               static_cast<std::uint32_t>(bytes_[at + 3]) << 24;
    }
    bool Ok() const { return ok_; }

private:
    bool Has(std::size_t at, std::size_t length) {
        const bool inside = length <= bytes_.size() && at <= bytes_.size() - length;
        ok_ = ok_ && inside;
        return inside;
    }

    std::span<const std::uint8_t> bytes_;
    bool ok_ = true;
};

// The 16- or 32-bit value at `at`; 0 when it does not lie inside the bytes.
inline std::uint16_t Little16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return Fields(bytes).U16(at);
}
inline std::uint32_t Little32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return Fields(bytes).U32(at);
}

// Appends the value, least significant byte first.
inline void AppendLittle16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}
inline void AppendLittle32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    AppendLittle16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    AppendLittle16(out, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace platform::format
