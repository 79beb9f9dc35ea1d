#include "tools/GroupWriting.h"

#include "platform/runtime/RuntimeError.h"
#include "tools/PictureFile.h"
#include "tools/ToolReport.h"

namespace tool {

namespace {

// Runs one write, reporting its failure; counts the file written.
template <typename Write>
bool Reported(const std::string& fileName, const WrittenFile& written, Write write) {
    try {
        write();
    } catch (const WriteError& error) {
        ReportReason(fileName, WriteFailureReason(fileName, error.Number(), error.Errno()));
        return false;
    }
    RunChoiceTally().FileWritten();
    if (written) {
        written(fileName);
    }
    return true;
}

}  // namespace

std::string SizedName(const std::string& fileName, int side) {
    const std::size_t slash = fileName.find_last_of("/\\");
    const std::size_t partStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = fileName.rfind('.');
    std::string suffix = "-";
    suffix += std::to_string(side);  // not "-" + ...: GCC 12 warns falsely (-Wrestrict) on that
    if (dot == std::string::npos || dot <= partStart) {
        return fileName + suffix;
    }
    return fileName.substr(0, dot) + suffix + fileName.substr(dot);
}

ImageChoice ChoiceOf(const ToolCommand& command) {
    return {.sizes = command.sizes, .depth = command.depth};
}

bool WriteChosenIco(const platform::picture::IPictureDisp& picture, const std::string& fileName,
                    const ToolCommand& command, bool many, const WrittenFile& written) {
    const platform::picture::IPictureDisp chosen = WithChosenImages(picture, ChoiceOf(command));
    if (!chosen) {
        RunChoiceTally().GroupWithoutImage();
        return true;
    }
    return Reported(fileName, written, [&] { WritePicture(chosen, fileName, !many); });
}

bool WriteChosenPngs(const platform::icons::IconFile& file, const DescribedIcon& icon,
                     const std::string& fileName, const ToolCommand& command, bool many,
                     const WrittenFile& written) {
    DescribedIcon chosen;
    for (const platform::icons::DescribedImage& image : icon.images) {
        if (IsChosen(ChoiceOf(command), image.image)) {
            chosen.images.push_back(image);
        }
    }
    if (chosen.images.empty()) {
        RunChoiceTally().GroupWithoutImage();
        return true;
    }
    const std::vector<int> sides =
        command.pngSides.empty() ? std::vector<int>{*command.pngSide} : command.pngSides;
    bool ok = true;
    for (const int side : sides) {
        const std::string name = sides.size() == 1 ? fileName : SizedName(fileName, side);
        ok = WriteDrawnPng(file, chosen, side, name, many, written) && ok;
    }
    return ok;
}

bool WriteDrawnPng(const platform::icons::IconFile& file, const DescribedIcon& icon, int side,
                   const std::string& fileName, bool many, const WrittenFile& written) {
    const auto png = EncodePng(file, icon, side);
    if (!png) {
        ReportError(fileName, runtime::errInvalidPropertyValue);
        return false;
    }
    return Reported(fileName, written, [&] { WriteFileBytes(*png, fileName, !many); });
}

}  // namespace tool
