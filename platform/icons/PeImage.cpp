#include "platform/icons/PeImage.h"

#include <algorithm>

#include "platform/icons/Fields.h"

namespace platform::icons {

namespace {

constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint32_t kResourceDirectoryIndex = 2;

struct OptionalHeaderShape {
    std::size_t rvaCountOffset;     // NumberOfRvaAndSizes
    std::size_t directoriesOffset;  // the first data directory
};

std::optional<OptionalHeaderShape> ShapeFor(std::uint16_t magic) {
    if (magic == kPe32Magic) {
        return OptionalHeaderShape{92, 96};
    }
    if (magic == kPe32PlusMagic) {
        return OptionalHeaderShape{108, 112};
    }
    return std::nullopt;
}

// The RVA of the resource table from the optional header; nullopt when the header is malformed.
std::optional<std::uint32_t> ResourceRvaFrom(const ByteSource& source, std::uint64_t offset,
                                             std::uint16_t size) {
    const auto magicBytes = ReadFixed<2>(source, offset);
    if (!magicBytes) {
        return std::nullopt;
    }
    const auto shape = ShapeFor(Fields(*magicBytes).U16(0));
    if (!shape) {
        return std::nullopt;
    }
    const std::size_t entry = shape->directoriesOffset + 8 * kResourceDirectoryIndex;
    if (entry + 8 > size) {
        return std::uint32_t{0};  // the optional header stops before the resource directory
    }
    const auto header = ReadBytes(source, offset, entry + 8);
    if (!header) {
        return std::nullopt;
    }
    Fields fields(*header);
    const std::uint32_t rvaCount = fields.U32(shape->rvaCountOffset);
    const std::uint32_t rva = fields.U32(entry);
    if (!fields.Ok()) {
        return std::nullopt;
    }
    return rvaCount > kResourceDirectoryIndex ? rva : 0;
}

}  // namespace

std::optional<PeImage> PeImage::Read(const ByteSource& source, std::uint64_t peOffset) {
    const auto coff = ReadFixed<kCoffHeaderSize>(source, peOffset + 4);
    if (!coff) {
        return std::nullopt;
    }
    Fields coffFields(*coff);
    const std::uint16_t sectionCount = coffFields.U16(2);
    const std::uint16_t optionalSize = coffFields.U16(16);
    const std::uint64_t optionalOffset = peOffset + 4 + kCoffHeaderSize;
    const auto resourceRva = ResourceRvaFrom(source, optionalOffset, optionalSize);
    if (!resourceRva) {
        return std::nullopt;
    }
    const auto table = ReadBytes(source, optionalOffset + optionalSize,
                                 std::uint64_t{sectionCount} * kSectionHeaderSize);
    if (!table) {
        return std::nullopt;
    }
    PeImage image;
    image.resourceRva_ = *resourceRva;
    Fields fields(*table);
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::size_t at = i * kSectionHeaderSize;
        const std::uint32_t virtualSize = fields.U32(at + 8);
        const std::uint32_t rawSize = fields.U32(at + 16);
        // A virtual size of 0 means the raw size (as the loader reads it).
        const std::uint32_t mapped = virtualSize == 0 ? rawSize : virtualSize;
        image.sections_.push_back(
            {fields.U32(at + 12), std::min(mapped, rawSize), fields.U32(at + 20)});
    }
    if (!fields.Ok()) {
        return std::nullopt;
    }
    return image;
}

std::optional<std::uint64_t> PeImage::FileOffset(std::uint64_t rva, std::uint64_t length) const {
    for (const Section& section : sections_) {
        if (rva < section.virtualAddress) {
            continue;
        }
        const std::uint64_t into = rva - section.virtualAddress;
        if (RangeInside(section.readableSize, into, length)) {
            return std::uint64_t{section.rawOffset} + into;
        }
    }
    return std::nullopt;
}

}  // namespace platform::icons
