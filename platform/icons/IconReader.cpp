// Recognises the format of a file and hands it to its reader. The same code serves files (read
// with pread) and buffers in memory.
#include "platform/icons/IconReader.h"

#include <exception>

#include "platform/icons/ByteSource.h"
#include "platform/icons/Fields.h"
#include "platform/icons/IcoFile.h"
#include "platform/icons/IconSource.h"
#include "platform/icons/NeResources.h"
#include "platform/icons/PeResources.h"

namespace platform::icons {

namespace {

constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kNewHeaderOffsetField = 0x3C;

std::optional<IconGroup> ReadExecutable(const ByteSource& source, std::uint32_t index) {
    const auto dos = ReadFixed<kDosHeaderSize>(source, 0);
    if (!dos) {
        return std::nullopt;
    }
    const std::uint64_t newHeader = Fields(*dos).U32(kNewHeaderOffsetField);
    const auto signature = ReadFixed<4>(source, newHeader);
    if (!signature) {
        return std::nullopt;
    }
    const auto& s = *signature;
    if (s[0] == 'P' && s[1] == 'E' && s[2] == 0 && s[3] == 0) {
        return ReadPeIconGroup(source, newHeader, index);
    }
    if (s[0] == 'N' && s[1] == 'E') {
        return ReadNeIconGroup(source, newHeader, index);
    }
    return std::nullopt;
}

}  // namespace

std::optional<IconGroup> ReadIconGroupFrom(const ByteSource& source, std::int32_t index) {
    if (index < 0) {
        return std::nullopt;
    }
    const auto magic = ReadFixed<2>(source, 0);
    if (!magic) {
        return std::nullopt;
    }
    if ((*magic)[0] == 'M' && (*magic)[1] == 'Z') {
        return ReadExecutable(source, static_cast<std::uint32_t>(index));
    }
    return index == 0 ? ReadIcoFile(source) : std::nullopt;
}

std::optional<IconGroup> ReadIconGroup(std::span<const std::uint8_t> file, std::int32_t index) {
    try {
        return ReadIconGroupFrom(MemorySource(file), index);
    } catch (const std::exception&) {  // std::bad_alloc above all
        return std::nullopt;
    }
}

}  // namespace platform::icons
