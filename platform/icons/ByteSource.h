#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/icons/ReadResult.h"

// The bounded byte source every format reader reads through: a file (read with pread) or a buffer
// in memory. Every read names its offset and length and either fills all of it or fails.
namespace platform::icons {

// What names a file's content for as long as it stays unchanged: the device and file number, the
// size and the modification time to the nanosecond. Two sources with equal identities hold the
// same bytes, so what was read from one may serve the other.
struct SourceIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const SourceIdentity&) const = default;
};

// A run of bytes of a source: where it starts and how long it is.
struct ByteRange {
    std::uint64_t offset = 0;
    std::uint64_t length = 0;

    bool operator==(const ByteRange&) const = default;
};

struct ByteRangeHash {
    std::size_t operator()(const ByteRange& range) const {
        return std::hash<std::uint64_t>()(range.offset * 0x9E3779B97F4A7C15u ^ range.length);
    }
};

class ByteSource {
public:
    virtual ~ByteSource() = default;

    // The size the source had when it was opened.
    virtual std::uint64_t Size() const = 0;

    // Fills `out` with the bytes at `offset`; false when any of them cannot be read (a short read
    // is a failure: the file may have shrunk since it was opened).
    virtual bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const = 0;

    // The identity of the file behind the source; nullopt for a source that has none (a buffer),
    // whose reads are then shared with nothing else.
    virtual std::optional<SourceIdentity> Identity() const { return std::nullopt; }
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

// The bytes of a structure, or why they cannot be read, the reason naming the structure (`what`)
// and its offset: "section table at 0x188 runs past the end of the file (0x200 bytes)".
ReadResult<std::vector<std::uint8_t>> ReadStructure(const ByteSource& source, std::uint64_t offset,
                                                    std::uint64_t length, const Subject& what);

// The same for a small fixed-size structure.
template <std::size_t N>
ReadResult<std::array<std::uint8_t, N>> ReadStructure(const ByteSource& source,
                                                      std::uint64_t offset, const Subject& what) {
    if (auto bytes = ReadFixed<N>(source, offset)) {
        return *bytes;
    }
    return Failure(what.Text() + " at " + Hex(offset) +
                   (RangeInside(source.Size(), offset, N)
                        ? " cannot be read"
                        : " runs past the end of the file (" + Hex(source.Size()) + " bytes)"));
}

}  // namespace platform::icons
