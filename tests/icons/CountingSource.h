#pragma once

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <span>
#include <utility>
#include <vector>

#include "platform/icons/ByteSource.h"

namespace icon_tests {

// A file in memory that counts the reads made of it and can be made to fail them.
class CountingSource final : public platform::icons::ByteSource {
public:
    // A file of `size` bytes counting up (0, 1, ... 255, 0, ...).
    explicit CountingSource(std::size_t size) : bytes_(size) {
        std::iota(bytes_.begin(), bytes_.end(), std::uint8_t{0});
    }
    explicit CountingSource(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        ++reads;
        if (failing || offset > bytes_.size() || out.size() > bytes_.size() - offset) {
            return false;
        }
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
        return true;
    }
    // Whether `got` is not empty and holds the file's bytes from `offset` on.
    bool Holds(std::span<const std::uint8_t> got, std::uint64_t offset) const {
        return !got.empty() && offset <= bytes_.size() && got.size() <= bytes_.size() - offset &&
               std::equal(got.begin(), got.end(),
                          bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
    }

    mutable int reads = 0;
    bool failing = false;

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace icon_tests
