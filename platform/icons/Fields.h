#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Little-endian fields decoded from bytes already read. An access outside the bytes gives 0 and
// marks the whole decode as failed, so a reader checks Ok() once after taking its fields.
namespace platform::icons {

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

}  // namespace platform::icons
