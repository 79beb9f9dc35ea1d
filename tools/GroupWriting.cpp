#include "tools/GroupWriting.h"

#include "platform/runtime/RuntimeError.h"
#include "tools/PictureFile.h"
#include "tools/ToolReport.h"

namespace tool {

namespace {

bool WriteOne(const platform::picture::IPictureDisp& picture, const std::string& fileName,
              std::optional<int> pngSide, bool many) {
    try {
        WritePicture(picture, fileName, pngSide, !many);
        RunChoiceTally().FileWritten();
        return true;
    } catch (const runtime::RuntimeError& error) {
        ReportError(fileName, error.Number());
        return false;
    }
}

}  // namespace

std::string SizedName(const std::string& fileName, int side) {
    const std::size_t slash = fileName.find_last_of("/\\");
    const std::size_t partStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = fileName.rfind('.');
    const std::string suffix = "-" + std::to_string(side);
    if (dot == std::string::npos || dot <= partStart) {
        return fileName + suffix;
    }
    return fileName.substr(0, dot) + suffix + fileName.substr(dot);
}

ImageChoice ChoiceOf(const ToolCommand& command) {
    return {.sizes = command.sizes, .depth = command.depth};
}

bool WriteChosenGroup(const platform::picture::IPictureDisp& picture, const std::string& fileName,
                      const ToolCommand& command, bool many) {
    const platform::picture::IPictureDisp chosen = WithChosenImages(picture, ChoiceOf(command));
    if (!chosen) {
        RunChoiceTally().GroupWithoutImage();
        return true;
    }
    if (command.pngSides.size() <= 1) {
        return WriteOne(chosen, fileName, command.pngSide, many);
    }
    bool ok = true;
    for (const int side : command.pngSides) {
        ok = WriteOne(chosen, SizedName(fileName, side), side, many) && ok;
    }
    return ok;
}

}  // namespace tool
