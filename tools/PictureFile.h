#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/picture/Picture.h"

// Writing a picture to a file, as .ico or as PNG.
namespace tool {

// Writes the picture to the file atomically (a new file renamed over the name, as the window
// saves): the whole group as .ico when `pngSide` is empty (SavePicture), else a PNG of its best
// image drawn at pngSide x pngSide. With `flushToDisk` false the file is not flushed to disk before
// the rename (see SaveFileSink). Raises SavePicture's run-time errors; 380 when no image of the
// group can be drawn for the PNG (nothing written).
void WritePicture(const platform::picture::IPictureDisp& picture, const std::string& fileName,
                  std::optional<int> pngSide, bool flushToDisk);

// Writes the bytes to the file atomically, as WritePicture does (a .cur or .ani file); raises the
// same run-time errors.
void WriteFileBytes(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
                    bool flushToDisk);

}  // namespace tool
