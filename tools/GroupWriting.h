#pragma once

#include <functional>
#include <string>

#include "platform/icons/IconFile.h"
#include "platform/picture/Picture.h"
#include "tools/ImageFilter.h"
#include "tools/PngEncoding.h"
#include "tools/ToolCommand.h"

// One icon group written as extract and save write it: only the images --size and --depth choose,
// as .ico or as one PNG per --png size. Each file written is counted in RunChoiceTally(), and so
// is each group left with no chosen image (which writes nothing).
namespace tool {

// Told the name of each file a write made.
using WrittenFile = std::function<void(const std::string& fileName)>;

// The name with "-SIDE" before its extension ("out/a-000-ID1.png" -> "out/a-000-ID1-32.png"), or
// after it when its last part has none.
std::string SizedName(const std::string& fileName, int side);

// The images a command chooses (its --size and --depth).
ImageChoice ChoiceOf(const ToolCommand& command);

// Writes the group's chosen images to `fileName` as an .ico holding them as stored. With `many`
// the file is not flushed to disk before its rename. False when the write failed (reported on
// standard error).
bool WriteChosenIco(const platform::picture::IPictureDisp& picture, const std::string& fileName,
                    const ToolCommand& command, bool many, const WrittenFile& written);

// Writes a PNG of the described group's chosen images for each --png size (several sizes:
// SizedName for each), each drawn from one image read when it is tried (EncodePng). False when a
// PNG did not draw or a write failed (reported on standard error).
bool WriteChosenPngs(const platform::icons::IconFile& file, const DescribedIcon& icon,
                     const std::string& fileName, const ToolCommand& command, bool many,
                     const WrittenFile& written);

// Writes a PNG of the described group drawn at side x side (EncodePng) to `fileName`, counted as a
// file written; false when no image draws (error 380) or the write failed, reported on standard
// error.
bool WriteDrawnPng(const platform::icons::IconFile& file, const DescribedIcon& icon, int side,
                   const std::string& fileName, bool many, const WrittenFile& written);

}  // namespace tool
