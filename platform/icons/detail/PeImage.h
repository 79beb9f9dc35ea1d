#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/icons/ByteSource.h"

// The headers of a PE32 or PE32+ image: where its resource table is and how its section table maps
// relative virtual addresses onto file offsets.
namespace platform::icons {

class PeImage {
public:
    // Reads the COFF header, the optional header and the section table of the image whose
    // "PE\0\0" signature is at `peOffset`; the reason when any of them is malformed or outside.
    static ReadResult<PeImage> Read(const ByteSource& source, std::uint64_t peOffset);

    // The RVA of the resource table (data directory 2); 0 when there is none.
    std::uint32_t ResourceRva() const { return resourceRva_; }

    // The file offset of [rva, rva + length) when one section holds all of it in the file (inside
    // both its raw data and its virtual size); nullopt otherwise.
    std::optional<std::uint64_t> FileOffset(std::uint64_t rva, std::uint64_t length) const;

    // How many bytes of the section holding `rva` lie in the file from `rva` on; 0 when no section
    // holds it.
    std::uint64_t ReadableFrom(std::uint64_t rva) const;

private:
    struct Section {
        std::uint32_t virtualAddress;
        std::uint32_t readableSize;  // the part of the section that is both mapped and in the file
        std::uint32_t rawOffset;
    };

    std::uint32_t resourceRva_ = 0;
    std::vector<Section> sections_;
};

}  // namespace platform::icons
