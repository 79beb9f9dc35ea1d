#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The bounded byte source every format reader reads through: a file (read with pread) or a buffer
// in memory. Every read names its offset and length and either fills all of it or fails.
namespace platform::icons {

class ByteSource {
public:
    virtual ~ByteSource() = default;

    // The size the source had when it was opened.
    virtual std::uint64_t Size() const = 0;

    // Fills `out` with the bytes at `offset`; false when any of them cannot be read (a short read
    // is a failure: the file may have shrunk since it was opened).
    virtual bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint64_t Size() const override { return bytes_.size(); }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override;

private:
    std::span<const std::uint8_t> bytes_;
};

// True when [offset, offset + length) lies inside [0, size); never overflows.
constexpr bool RangeInside(std::uint64_t size, std::uint64_t offset, std::uint64_t length) {
    return length <= size && offset <= size - length;
}

// The largest single read any reader asks for; larger resources are treated as unreadable.
inline constexpr std::uint64_t kMaxRead = 64u << 20;

// Exactly `length` bytes at `offset`, or nullopt when the range is not inside the source, is
// larger than kMaxRead, or cannot be read. Nothing is allocated before the range is checked.
std::optional<std::vector<std::uint8_t>> ReadBytes(const ByteSource& source, std::uint64_t offset,
                                                   std::uint64_t length);

// The same for a small fixed-size structure.
template <std::size_t N>
std::optional<std::array<std::uint8_t, N>> ReadFixed(const ByteSource& source,
                                                     std::uint64_t offset) {
    std::array<std::uint8_t, N> bytes{};
    if (!RangeInside(source.Size(), offset, N) || !source.ReadAt(offset, bytes)) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace platform::icons
