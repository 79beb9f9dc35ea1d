#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/picture/Picture.h"

// Writing a picture to a file as .ico, or a drawn PNG's bytes.
namespace tool {

// Writes the picture's whole group to the file as .ico, atomically (a new file renamed over the
// name, as the window saves: SavePicture). With `flushToDisk` false the file is not flushed to
// disk before the rename (see SaveFileSink). Raises SavePicture's run-time errors.
void WritePicture(const platform::picture::IPictureDisp& picture, const std::string& fileName,
                  bool flushToDisk);

// Writes the bytes of a PNG (EncodePng) to the file the same way; like SavePicture, it replaces a
// regular file (or a link to one) and nothing else. Raises SavePicture's run-time errors.
void WritePngFile(const std::vector<std::uint8_t>& png, const std::string& fileName,
                  bool flushToDisk);

}  // namespace tool
