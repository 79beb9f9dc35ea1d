#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/icons/ImageBytes.h"

// The icon-extraction service: icons read out of PE32/PE32+ and NE executables and .ico files,
// handed out as handles from a process-wide table. Every failure is "no icon" (handle 0); nothing
// here throws.
namespace platform::icons {

using HICON = std::uint32_t;  // 0 means no icon
using HWND = std::int32_t;

// What a directory entry says of one image, in a group resource and in an .ico file alike.
struct IconDirEntry {
    std::uint8_t width = 0;   // 0 means 256
    std::uint8_t height = 0;  // 0 means 256
    std::uint8_t colorCount = 0;
    std::uint8_t reserved = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;

    int PixelWidth() const { return width == 0 ? 256 : width; }
    int PixelHeight() const { return height == 0 ? 256 : height; }
    bool operator==(const IconDirEntry&) const = default;
};

// Where a cursor points, in pixels from the image's top-left corner.
struct Hotspot {
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    bool operator==(const Hotspot&) const = default;
};

// One image of a group: the group's directory entry for it and the image's bytes (a DIB or a PNG;
// for an animated resource the whole RIFF file) exactly as stored in the file, shared with every
// other entry that names the same resource. A cursor's image is the data after its hotspot.
struct IconImage {
    IconDirEntry entry;
    std::uint32_t bytesInRes = 0;  // as the group states it; bytes.size() is what the file holds
    std::uint16_t resourceId = 0;  // the RT_ICON (RT_CURSOR...) id the group names (0: a file's)
    ImageBytes bytes;
    std::optional<Hotspot> hotspot =
        std::nullopt;  // a cursor's: from its resource, or its .cur entry
};

// A whole icon group: every image of the group that resolves to an icon resource, in group order.
struct IconGroup {
    std::vector<IconImage> images;
};

// The icon at a zero-based index of a file: index i is the i-th icon group in the order the file's
// resource directory stores them. 0 for an index past the last icon, a file that cannot be read or
// is not one of the known formats, a directory, a FIFO or device node (never blocks on one), or a
// group none of whose images can be found. The path is the file system's own bytes (UTF-8 on
// Windows, see FileSource.h). The window handle is accepted and not used.
HICON ExtractIconA(HWND hwnd, const std::string& path, std::int32_t index);

// Why ExtractIconA gives 0 for this file and index, in plain words naming what failed and where
// ("resource directory entry 3 at 0x1f40 from the resource root lies outside the sections' data
// in the file"); empty when it gives an icon. Holds no handle; nothing here throws.
std::string WhyNoIcon(const std::string& path, std::int32_t index);

// Frees a handle. False when the handle is not live.
bool DestroyIcon(HICON icon);

// The snapshot a live handle owns; null when the handle is not live. The snapshot stays valid after
// the handle is destroyed for as long as the caller holds it.
std::shared_ptr<const IconGroup> IconGroupOf(HICON icon);

// How many handles are live right now.
std::size_t LiveIconCount();

}  // namespace platform::icons
