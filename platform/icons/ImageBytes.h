#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// The bytes of one icon image, immutable and shared: every group (and every entry of one group)
// that names the same image resource of the same file holds the same buffer, so a file that names
// one image many times costs its bytes once.
namespace platform::icons {

class ImageBytes {
public:
    using value_type = std::uint8_t;
    using const_iterator = std::vector<std::uint8_t>::const_iterator;
    using iterator = const_iterator;

    ImageBytes() = default;
    // Takes the bytes into a buffer of their own.
    ImageBytes(std::vector<std::uint8_t> bytes)  // NOLINT(google-explicit-constructor)
        : buffer_(std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes))) {}
    // Shares an existing buffer (null means no bytes).
    explicit ImageBytes(std::shared_ptr<const std::vector<std::uint8_t>> buffer)
        : buffer_(std::move(buffer)) {}

    std::size_t size() const { return buffer_ ? buffer_->size() : 0; }
    bool empty() const { return size() == 0; }
    const std::uint8_t* data() const { return buffer_ ? buffer_->data() : nullptr; }
    const_iterator begin() const { return Vector().begin(); }
    const_iterator end() const { return Vector().end(); }
    std::uint8_t operator[](std::size_t at) const { return (*buffer_)[at]; }
    operator std::span<const std::uint8_t>() const {  // NOLINT(google-explicit-constructor)
        return {data(), size()};
    }

    // The bytes as a vector (an empty one when there are none).
    const std::vector<std::uint8_t>& Vector() const { return buffer_ ? *buffer_ : Empty(); }

    // Whether both hold the very same buffer (not merely equal bytes).
    bool SharesBufferWith(const ImageBytes& other) const {
        return buffer_ != nullptr && buffer_ == other.buffer_;
    }

    // The buffer's owner, weakly: lets a holder know the buffer again without keeping it alive
    // (the picture service remembers so which images failed to decode).
    std::weak_ptr<const void> BufferOwner() const { return buffer_; }

    friend bool operator==(const ImageBytes& a, const ImageBytes& b) {
        return a.Vector() == b.Vector();
    }
    friend bool operator==(const ImageBytes& a, const std::vector<std::uint8_t>& b) {
        return a.Vector() == b;
    }

private:
    static const std::vector<std::uint8_t>& Empty() {
        static const std::vector<std::uint8_t> empty;
        return empty;
    }

    std::shared_ptr<const std::vector<std::uint8_t>> buffer_;
};

}  // namespace platform::icons
