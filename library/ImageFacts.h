#pragma once

#include "platform/icons/IconDescription.h"
#include "quorvane/File.h"

// A described image made the library's Image: its size, depth and format from its own header.
namespace quorvane {

// The image as its first bytes say, the group entry's claim where they cannot be read.
Image ImageOf(const platform::icons::DescribedImage& described);

}  // namespace quorvane
