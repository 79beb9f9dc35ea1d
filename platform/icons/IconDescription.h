#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/icons/IconFile.h"
#include "platform/icons/IconService.h"

// A file's icons described from its directories, for the command-line tool: no image is read
// beyond its first few bytes, so a file that names its images over and over is described in time
// and memory proportional to its directories.
namespace platform::icons {

// How many leading bytes of each image a description reads (enough to read a DIB's
// BITMAPINFOHEADER or a PNG's IHDR: the image's own size and depth, see ImageHeader.h).
inline constexpr std::size_t kImageHeadLength = 40;

// One image of a described group: its directory entry, with `bytes` holding only the image's first
// kImageHeadLength bytes (fewer when it is shorter), and the image's real length in the file.
struct DescribedImage {
    IconImage image;
    std::uint64_t length = 0;
    ByteRange range;  // where the whole image lies in the file (ReadImageAt reads it)
};

// One group of the file's group directory.
struct DescribedGroup {
    std::uint32_t index = 0;
    std::uint32_t count = 0;              // how many groups the directory names
    ResourceName name;                    // the group resource's name or ID (none if unreadable)
    std::vector<DescribedImage> images;   // the images ExtractIconA takes for this group
    std::optional<std::uint32_t> sameAs;  // an earlier group that is the very same group resource
    std::string problem;                  // why the group gives no icon; empty when it gives one
};

// Describes every group of the file's group directory in index order, calling `each` once per
// group (a group whose group resource was already described is reported by `sameAs`, its images
// left empty); with `last`, only the groups up to that index (none of the later ones is read).
// May throw std::bad_alloc.
void DescribeIconGroups(const IconFile& file,
                        const std::function<void(const DescribedGroup&)>& each,
                        std::uint32_t last = UINT32_MAX);

}  // namespace platform::icons
