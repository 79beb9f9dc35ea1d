#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/icons/IconDescription.h"
#include "platform/icons/IconFile.h"

// The PNGs the tool writes of a file's icons, drawn by the picture service from one image at a
// time: a description names every image of a group (its head and where it lies), the images are
// tried best first, and only the image being tried is read.
namespace tool {

// One icon group of a file as its description gives it; no image read beyond its head.
struct DescribedIcon {
    std::vector<platform::icons::DescribedImage> images;
    std::string problem;  // why the group gives no icon; empty when it gives one
};

// The groups at `indexes` of the opened file, described (a group that is an earlier group gets
// that group's images); an index the file does not have is left out. Only the groups up to the
// largest index asked for are kept while describing. May throw std::bad_alloc.
std::map<std::uint32_t, DescribedIcon> DescribeIcons(const platform::icons::IconFile& file,
                                                     const std::set<std::uint32_t>& indexes);

// The bytes of a PNG of the icon drawn at side x side as the window's previews draw it: the first
// of its images in order of preference (ImagesByPreference) that decodes within one draw's budget,
// each read alone (ReadImageAt, at most kMaxDrawnImageBytes of it) when it is tried, an image range
// that failed not tried again; smoothly scaled, up only when the group has nothing as large.
// nullopt when no image draws.
std::optional<std::vector<std::uint8_t>> EncodePng(const platform::icons::IconFile& file,
                                                   const DescribedIcon& icon, int side);

}  // namespace tool
