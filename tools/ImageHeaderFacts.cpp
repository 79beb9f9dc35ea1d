#include "tools/ImageHeaderFacts.h"

#include <algorithm>
#include <array>

#include "platform/format/IconFormat.h"
#include "platform/format/LittleEndian.h"

namespace tool {

namespace {

namespace format = platform::format;

constexpr std::size_t kIhdrLengthOffset = 8;  // after the signature: length, "IHDR", its 13 bytes
constexpr std::size_t kIhdrDataOffset = 16;
constexpr std::uint32_t kIhdrLength = 13;
constexpr std::uint32_t kMaxPngSide = 0x7FFFFFFF;

std::uint32_t Big32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 |
           std::uint32_t(bytes[at + 2]) << 8 | bytes[at + 3];
}

// The channels of a PNG colour type when the bit depth suits it; 0 otherwise.
int PngChannels(int colourType, int bitDepth) {
    const bool byteDepth = bitDepth == 8 || bitDepth == 16;
    const bool smallDepth = bitDepth == 1 || bitDepth == 2 || bitDepth == 4;
    switch (colourType) {
        case 0:  // greyscale
            return byteDepth || smallDepth ? 1 : 0;
        case 2:  // RGB
            return byteDepth ? 3 : 0;
        case 3:  // palette
            return bitDepth == 8 || smallDepth ? 1 : 0;
        case 4:  // greyscale and alpha
            return byteDepth ? 2 : 0;
        case 6:  // RGBA
            return byteDepth ? 4 : 0;
        default:
            return 0;
    }
}

}  // namespace

std::optional<HeaderFacts> ReadPngHeaderFacts(std::span<const std::uint8_t> bytes) {
    static constexpr std::array<std::uint8_t, 4> kIhdr = {'I', 'H', 'D', 'R'};
    if (!format::StartsWithPngSignature(bytes) ||
        bytes.size() < kIhdrDataOffset + kIhdrLength + 4 ||
        Big32(bytes, kIhdrLengthOffset) != kIhdrLength ||
        !std::equal(kIhdr.begin(), kIhdr.end(), bytes.begin() + kIhdrLengthOffset + 4)) {
        return std::nullopt;
    }
    const std::uint32_t width = Big32(bytes, kIhdrDataOffset);
    const std::uint32_t height = Big32(bytes, kIhdrDataOffset + 4);
    const int bitDepth = bytes[kIhdrDataOffset + 8];
    const int channels = PngChannels(bytes[kIhdrDataOffset + 9], bitDepth);
    if (width == 0 || width > kMaxPngSide || height == 0 || height > kMaxPngSide || channels == 0 ||
        bytes[kIhdrDataOffset + 10] != 0 || bytes[kIhdrDataOffset + 11] != 0 ||
        bytes[kIhdrDataOffset + 12] > 1) {
        return std::nullopt;
    }
    return HeaderFacts{.width = static_cast<int>(width),
                       .height = static_cast<int>(height),
                       .depth = bitDepth * channels,
                       .png = true};
}

}  // namespace tool
