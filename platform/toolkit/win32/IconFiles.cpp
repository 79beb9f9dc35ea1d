#include "platform/toolkit/win32/IconFiles.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/win32/ProgramFiles.h"

namespace toolkit::win32 {

namespace {

constexpr std::size_t kMaxFileBytes = 4 << 20;
constexpr std::size_t kHeaderBytes = 6;
constexpr std::size_t kEntryBytes = 16;
constexpr DWORD kResourceVersion = 0x00030000;
constexpr std::uint16_t kIconType = 1;
constexpr std::uint16_t kCursorType = 2;

std::uint16_t Word(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t Dword(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(Word(bytes, at)) |
           static_cast<std::uint32_t>(Word(bytes, at + 2)) << 16;
}

// One image of an icon or cursor file: where its bytes lie, its size and (cursors) hot spot.
struct Entry {
    std::size_t offset = 0;
    std::size_t size = 0;
    int width = 0;
    std::uint16_t hotX = 0;
    std::uint16_t hotY = 0;
};

std::vector<std::uint8_t> ReadOrRaise(const std::string& file) {
    std::optional<std::vector<std::uint8_t>> bytes = ReadProgramFile(file, kMaxFileBytes);
    if (!bytes) {
        runtime::Raise(runtime::errFileNotFound);
    }
    return std::move(*bytes);
}

// The entries that lie inside the file, in file order; none for a file of another type.
std::vector<Entry> EntriesOf(const std::vector<std::uint8_t>& bytes, std::uint16_t type) {
    std::vector<Entry> entries;
    if (bytes.size() < kHeaderBytes || Word(bytes, 0) != 0 || Word(bytes, 2) != type) {
        return entries;
    }
    const std::size_t count = Word(bytes, 4);
    for (std::size_t i = 0; i < count && kHeaderBytes + (i + 1) * kEntryBytes <= bytes.size();
         ++i) {
        const std::size_t at = kHeaderBytes + i * kEntryBytes;
        const Entry entry{.offset = Dword(bytes, at + 12),
                          .size = Dword(bytes, at + 8),
                          .width = bytes[at] == 0 ? 256 : bytes[at],
                          .hotX = Word(bytes, at + 4),
                          .hotY = Word(bytes, at + 6)};
        if (entry.offset <= bytes.size() && entry.size <= bytes.size() - entry.offset &&
            entry.size > 0) {
            entries.push_back(entry);
        }
    }
    return entries;
}

}  // namespace

HCURSOR ReadCursorFile(const std::string& file) {
    const std::vector<std::uint8_t> bytes = ReadOrRaise(file);
    const std::vector<Entry> entries = EntriesOf(bytes, kCursorType);
    if (entries.empty()) {
        runtime::Raise(runtime::errInvalidPicture);
    }
    // A cursor resource is the image after its hot spot.
    const Entry& first = entries.front();
    std::vector<std::uint8_t> resource{
        static_cast<std::uint8_t>(first.hotX), static_cast<std::uint8_t>(first.hotX >> 8),
        static_cast<std::uint8_t>(first.hotY), static_cast<std::uint8_t>(first.hotY >> 8)};
    resource.insert(resource.end(), bytes.begin() + static_cast<std::ptrdiff_t>(first.offset),
                    bytes.begin() + static_cast<std::ptrdiff_t>(first.offset + first.size));
    HICON cursor = CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()),
                                            FALSE, kResourceVersion, 0, 0, LR_DEFAULTCOLOR);
    if (cursor == nullptr) {
        runtime::Raise(runtime::errInvalidPicture);
    }
    return static_cast<HCURSOR>(cursor);
}

HICON ReadIconFile(const std::string& file, int size) {
    const std::vector<std::uint8_t> bytes = ReadOrRaise(file);
    std::vector<Entry> entries = EntriesOf(bytes, kIconType);
    // The nearest size first; among equals the first in the file.
    std::stable_sort(entries.begin(), entries.end(), [size](const Entry& a, const Entry& b) {
        return std::abs(a.width - size) < std::abs(b.width - size);
    });
    for (const Entry& entry : entries) {
        HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(bytes.data() + entry.offset),
                                              static_cast<DWORD>(entry.size), TRUE,
                                              kResourceVersion, size, size, LR_DEFAULTCOLOR);
        if (icon != nullptr) {
            return icon;
        }
    }
    runtime::Raise(runtime::errInvalidPicture);
}

}  // namespace toolkit::win32
