#include "tools/HicolorCommand.h"

#include <filesystem>
#include <new>
#include <set>

#include "platform/format/ImageHeader.h"
#include "platform/icons/IconDescription.h"
#include "platform/icons/IconFile.h"
#include "platform/runtime/RuntimeError.h"
#include "tools/GroupWriting.h"
#include "tools/KindWords.h"
#include "tools/Messages.h"
#include "tools/PictureFile.h"
#include "tools/ToolReport.h"

namespace tool {

namespace {

namespace icons = platform::icons;
using platform::picture::IPictureDisp;

// DIR/SIDExSIDE/apps, made when missing; empty when it cannot be made.
std::string AppsDirectory(const std::string& top, int side) {
    const std::string sizeName = std::to_string(side) + "x" + std::to_string(side);
    const std::filesystem::path path = NativePath(top) / sizeName / "apps";
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error) ? ProgramText(path) : std::string();
}

bool WriteSide(const icons::IconFile& file, const DescribedIcon& images, int side,
               const std::string& top, const std::string& stem) {
    const std::string directory = AppsDirectory(top, side);
    const std::string fileName =
        ProgramText(NativePath(directory.empty() ? top : directory) / NativePath(stem + ".png"));
    if (directory.empty()) {
        ReportError(fileName, runtime::errPathNotFound);
        return false;
    }
    return WriteDrawnPng(file, images, side, fileName, true, {});
}

// The hicolor set of one file's icon; false when something was reported.
bool WriteFileSet(const ToolCommand& command, const std::string& fileName,
                  const std::string& stem) {
    const std::int32_t index = command.indexes.empty() ? 0 : command.indexes.front();
    const auto file = icons::IconFile::Open(fileName);
    if (!file) {
        ReportReason(fileName,
                     NoGroups(platform::format::kIconResources, ReaderReason(file.error().reason)));
        return false;
    }
    const auto described = DescribeIcons(*file, {static_cast<std::uint32_t>(index)});
    const auto found = described.find(static_cast<std::uint32_t>(index));
    if (found == described.end() || !found->second.problem.empty()) {
        const std::string why =
            found == described.end() ? icons::WhyNoIcon(fileName, index) : found->second.problem;
        ReportReason(fileName,
                     Format(_("icon %s: %s"), {std::to_string(index), ReaderReason(why)}));
        return false;
    }
    const std::map<int, DescribedIcon> sides = HicolorSizes(found->second, ChoiceOf(command));
    if (sides.empty()) {
        ReportReason(fileName, Format(_("icon %s: %s"),
                                      {std::to_string(index),
                                       _("no square image from 16 to 256 pixels of those asked")}));
        return false;
    }
    bool ok = true;
    for (const auto& [side, images] : sides) {
        ok = WriteSide(*file, images, side, command.hicolorDirectory, stem) && ok;
    }
    return ok;
}

}  // namespace

std::map<int, DescribedIcon> HicolorSizes(const DescribedIcon& icon, const ImageChoice& choice) {
    std::map<int, DescribedIcon> sides;
    for (const icons::DescribedImage& described : icon.images) {
        const icons::IconImage& image = described.image;
        const auto facts = platform::format::ReadImageHeader(image.bytes);
        if (!facts || facts->width != facts->height || facts->width < kMinHicolorSide ||
            facts->width > kMaxHicolorSide || !IsChosen(choice, image)) {
            continue;
        }
        icons::DescribedImage sized = described;
        const auto sideByte = static_cast<std::uint8_t>(facts->width & 0xFF);  // 256 is 0
        sized.image.entry.width = sideByte;
        sized.image.entry.height = sideByte;
        sized.image.entry.bitCount = static_cast<std::uint16_t>(facts->depth);
        sides[static_cast<int>(facts->width)].images.push_back(std::move(sized));
    }
    return sides;
}

int WriteHicolorSets(const ToolCommand& command) {
    int status = kExitOk;
    std::set<std::string> stems;
    for (const std::string& fileName : command.files) {
        const std::string stem =
            command.name.empty() ? ProgramText(NativePath(fileName).stem()) : command.name;
        if (!FileExists(fileName)) {
            ReportError(fileName, runtime::errFileNotFound);
            status = kExitFailure;
            continue;
        }
        if (!stems.insert(stem).second) {
            ReportReason(fileName,
                         Format(_("an earlier file already gave the set its name %s"), {stem}));
            status = kExitFailure;
            continue;
        }
        try {
            status = WriteFileSet(command, fileName, stem) ? status : kExitFailure;
        } catch (const std::bad_alloc&) {
            ReportError(fileName, runtime::errOutOfMemory);
            status = kExitFailure;
        }
    }
    return status;
}

}  // namespace tool
