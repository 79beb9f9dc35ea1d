#pragma once

#include <string>

#include "platform/picture/Picture.h"

namespace platform::picture {

// Writes the picture's whole icon group as one .ico file: header, one 16-byte entry per image,
// then the images in group order, each image's bytes exactly as stored. The file name is bytes,
// used as they are (never decoded). The write is atomic: on
// failure no partial file remains and an existing file of that name is untouched. Failures raise
// run-time errors: 76 path not found, 70 permission denied, 61 disk full, 75 other access errors,
// 380 for an empty picture (nothing written).
void SavePicture(const IPictureDisp& picture, const std::string& fileName);

}  // namespace platform::picture
