#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/picture/Picture.h"

// The PNG the tool writes of a picture. The drawing library's half (qt/PngEncodingQt.cpp) is the
// only part of the tool that draws; another build puts its own file in its place.
namespace tool {

// The bytes of a PNG of the picture drawn at side x side pixels from its best image, as the
// window's previews draw it (smoothly scaled, up only when the group has nothing as large);
// nullopt when no image of the group decodes.
std::optional<std::vector<std::uint8_t>> EncodePng(const platform::picture::Picture& picture,
                                                   int side);

// Loads now whatever EncodePng (and the drawing it asks for) would otherwise load from disk on its
// first use, so that it still works once the process is confined: Qt's "ico" image plugin, found
// and opened on a reader's first use. Nothing to load for the portable encoder.
void PrepareEncoding();

}  // namespace tool
