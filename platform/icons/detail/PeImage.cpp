#include "platform/icons/detail/PeImage.h"

#include <algorithm>

#include "platform/format/LittleEndian.h"

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

// The RVA of the resource table from the optional header.
ReadResult<std::uint32_t> ResourceRvaFrom(const ByteSource& source, std::uint64_t offset,
                                          std::uint16_t size) {
    const auto magicBytes = ReadStructure<2>(source, offset, "optional header");
    if (!magicBytes) {
        return magicBytes.error();
    }
    const std::uint16_t magic = format::Fields(*magicBytes).U16(0);
    const auto shape = ShapeFor(magic);
    if (!shape) {
        return Failure("optional header at " + Hex(offset) + ": magic " + Hex(magic) +
                       " is neither PE32 (0x10b) nor PE32+ (0x20b)");
    }
    const std::size_t entry = shape->directoriesOffset + 8 * kResourceDirectoryIndex;
    if (entry + 8 > size) {
        return std::uint32_t{0};  // the optional header stops before the resource directory
    }
    const auto header = ReadStructure(source, offset, entry + 8, "optional header");
    if (!header) {
        return header.error();
    }
    format::Fields fields(*header);
    const std::uint32_t rvaCount = fields.U32(shape->rvaCountOffset);
    const std::uint32_t rva = fields.U32(entry);
    return rvaCount > kResourceDirectoryIndex ? rva : 0;
}

}  // namespace

ReadResult<PeImage> PeImage::Read(const ByteSource& source, std::uint64_t peOffset) {
    const auto coff = ReadStructure<kCoffHeaderSize>(source, peOffset + 4, "COFF header");
    if (!coff) {
        return coff.error();
    }
    format::Fields coffFields(*coff);
    const std::uint16_t sectionCount = coffFields.U16(2);
    const std::uint16_t optionalSize = coffFields.U16(16);
    const std::uint64_t optionalOffset = peOffset + 4 + kCoffHeaderSize;
    const auto resourceRva = ResourceRvaFrom(source, optionalOffset, optionalSize);
    if (!resourceRva) {
        return resourceRva.error();
    }
    const auto table =
        ReadStructure(source, optionalOffset + optionalSize,
                      std::uint64_t{sectionCount} * kSectionHeaderSize, "section table");
    if (!table) {
        return table.error();
    }
    PeImage image;
    image.resourceRva_ = *resourceRva;
    format::Fields fields(*table);
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::size_t at = i * kSectionHeaderSize;
        const std::uint32_t virtualSize = fields.U32(at + 8);
        const std::uint32_t rawSize = fields.U32(at + 16);
        // A virtual size of 0 means the raw size (as the loader reads it).
        const std::uint32_t mapped = virtualSize == 0 ? rawSize : virtualSize;
        image.sections_.push_back(
            {fields.U32(at + 12), std::min(mapped, rawSize), fields.U32(at + 20)});
    }
    return image;
}
std::uint64_t PeImage::ReadableFrom(std::uint64_t rva) const {
    for (const Section& section : sections_) {
        if (rva >= section.virtualAddress && rva - section.virtualAddress < section.readableSize) {
            return section.readableSize - (rva - section.virtualAddress);
        }
    }
    return 0;
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
