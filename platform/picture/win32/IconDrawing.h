#pragma once

#include <optional>

#include "platform/icons/IconService.h"
#include "platform/toolkit/Drawable.h"

// One icon image drawn by Windows itself (GDI), at its own size.
namespace platform::picture::win32 {

// The image's width and height as its bytes state them (a PNG's header, a DIB's layout), each at
// most kMaxIconSide; std::nullopt for bytes that are neither.
std::optional<std::pair<int, int>> OwnSizeOf(const icons::IconImage& image);

// The image as Windows draws an icon made of its bytes (CreateIconFromResourceEx, DrawIconEx):
// alpha where it has one, else its AND mask, a PNG as its pixels say; premultiplied ARGB at its
// own size. std::nullopt when Windows makes no icon of it.
std::optional<toolkit::ArgbPixels> DrawAtOwnSize(const icons::IconImage& image);

}  // namespace platform::picture::win32
