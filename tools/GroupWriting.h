#pragma once

#include <string>

#include "platform/picture/Picture.h"
#include "tools/ImageFilter.h"
#include "tools/ToolCommand.h"

// One icon group written as extract and save write it: only the images --size and --depth choose,
// as .ico or as one PNG per --png size.
namespace tool {

// The name with "-SIDE" before its extension ("out/a-000-ID1.png" -> "out/a-000-ID1-32.png"), or
// after it when its last part has none.
std::string SizedName(const std::string& fileName, int side);

// The images a command chooses (its --size and --depth).
ImageChoice ChoiceOf(const ToolCommand& command);

// Writes the group's chosen images to `fileName`: an .ico holding them as stored, or with --png a
// PNG of them for each size asked (several sizes: SizedName for each). A group with no chosen image
// writes nothing and is counted in RunChoiceTally(); each file written is counted there too. With
// `many` the files are not flushed to disk one by one. False when a write failed (reported on
// standard error).
bool WriteChosenGroup(const platform::picture::IPictureDisp& picture, const std::string& fileName,
                      const ToolCommand& command, bool many);

}  // namespace tool
