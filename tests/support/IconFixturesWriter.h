#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/support/IconFixtures.h"

// The little-endian appender the fixture builders write their structures with.
namespace fixtures::detail {

class ByteWriter {
public:
    void U8(std::uint32_t value) { bytes_.push_back(static_cast<std::uint8_t>(value)); }
    void U16(std::uint32_t value) {
        U8(value & 0xFF);
        U8((value >> 8) & 0xFF);
    }
    void U32(std::uint32_t value) {
        U16(value & 0xFFFF);
        U16(value >> 16);
    }
    void U64(std::uint64_t value) {
        U32(static_cast<std::uint32_t>(value));
        U32(static_cast<std::uint32_t>(value >> 32));
    }
    void BigEndian32(std::uint32_t value) {
        U8(value >> 24);
        U8((value >> 16) & 0xFF);
        U8((value >> 8) & 0xFF);
        U8(value & 0xFF);
    }
    void Append(const Bytes& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }
    void Text(const std::string& text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }
    void Zeros(std::size_t count) { bytes_.resize(bytes_.size() + count, 0); }
    void PadTo(std::size_t size) {
        if (bytes_.size() < size) {
            bytes_.resize(size, 0);
        }
    }
    void AlignTo(std::size_t alignment) { PadTo(AlignUp(bytes_.size(), alignment)); }

    std::size_t size() const { return bytes_.size(); }
    Bytes& bytes() { return bytes_; }

    static std::size_t AlignUp(std::size_t value, std::size_t alignment) {
        return (value + alignment - 1) / alignment * alignment;
    }

private:
    Bytes bytes_;
};

// A small deterministic generator (xorshift32) for pixels and fillers.
class Random {
public:
    explicit Random(std::uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) {
        if (state_ == 0) {
            state_ = 1;
        }
    }
    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    std::uint32_t Below(std::uint32_t bound) { return Next() % bound; }

private:
    std::uint32_t state_;
};

}  // namespace fixtures::detail
