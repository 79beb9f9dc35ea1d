#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/format/IconFormat.h"
#include "platform/format/ResourceKinds.h"
#include "platform/icons/IconService.h"

// The bytes of an .ico or .cur file: a 6-byte header (reserved 0, type 1 icon or 2 cursor,
// count), one 16-byte directory entry per image, then the images one after the other in directory
// order.
namespace platform::picture {

// One image of an .ico file: the directory fields and the bytes that follow the directory.
struct IcoEntry {
    icons::IconDirEntry entry;
    std::span<const std::uint8_t> bytes;
};

// The entry of an icon image with the fields of its group entry and the bytes as stored.
IcoEntry IcoEntryOf(const icons::IconImage& image);

// The entry of a cursor image for a .cur file: width and height from the image's own header (a
// cursor group's may count the AND mask in the height; the entry's own where the header cannot
// be read), the colour count its depth gives (0 from 8 bits up), and its hotspot (0,0 when it has
// none) where an .ico entry has planes and bit count.
IcoEntry CurEntryOf(const icons::IconImage& image);

// The header and the directory of a file of `type` (.ico: 1, .cur: 2) holding these images in this
// order: bytesInRes is each image's byte count, the offsets place the images right after the
// directory. std::nullopt when the images do not fit (more than 65535 of them, or offsets past
// 4 GiB).
std::optional<std::vector<std::uint8_t>> IcoDirectoryBytes(std::span<const IcoEntry> entries,
                                                           std::uint16_t type = format::kTypeIcon);

// The whole file: the directory, then the images.
std::optional<std::vector<std::uint8_t>> IcoFileBytes(std::span<const IcoEntry> entries,
                                                      std::uint16_t type = format::kTypeIcon);

// The group as a file of its own, by the kind of resource it is: an .ico of its images (icons), a
// .cur with each image's hotspot (cursors), or the resource's bytes as stored (an animated
// resource, a group of one image). nullopt when the file would be too large to write.
std::optional<std::vector<std::uint8_t>> GroupFileBytes(const icons::IconGroup& group,
                                                        const format::ResourceKind& kind);

}  // namespace platform::picture
