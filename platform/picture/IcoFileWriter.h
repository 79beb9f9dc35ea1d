#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/icons/IconService.h"

// The bytes of an .ico file: a 6-byte header (reserved 0, type 1, count), one 16-byte directory
// entry per image, then the images one after the other in directory order.
namespace platform::picture {

// One image of an .ico file: the directory fields and the bytes that follow the directory.
struct IcoEntry {
    icons::IconDirEntry entry;
    std::span<const std::uint8_t> bytes;
};

// The entry of an icon image with the fields of its group entry and the bytes as stored.
IcoEntry IcoEntryOf(const icons::IconImage& image);

// The header and the directory of an .ico holding these images in this order: bytesInRes is each
// image's byte count, the offsets place the images right after the directory. std::nullopt when the
// images do not fit an .ico (more than 65535 of them, or offsets past 4 GiB).
std::optional<std::vector<std::uint8_t>> IcoDirectoryBytes(std::span<const IcoEntry> entries);

// The whole .ico: the directory, then the images.
std::optional<std::vector<std::uint8_t>> IcoFileBytes(std::span<const IcoEntry> entries);

}  // namespace platform::picture
