#include "tools/HicolorCommand.h"

#include <filesystem>
#include <new>
#include <set>

#include "platform/icons/IconFile.h"
#include "platform/runtime/RuntimeError.h"
#include "tools/GroupWriting.h"
#include "tools/ImageHeaderFacts.h"
#include "tools/PictureFile.h"
#include "tools/ToolReport.h"

namespace tool {

namespace {

namespace icons = platform::icons;
using platform::picture::IPictureDisp;

std::filesystem::path NativePath(const std::string& name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::string ProgramText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// DIR/SIDExSIDE/apps, made when missing; empty when it cannot be made.
std::string AppsDirectory(const std::string& top, int side) {
    const std::string sizeName = std::to_string(side) + "x" + std::to_string(side);
    const std::filesystem::path path = NativePath(top) / sizeName / "apps";
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error) ? ProgramText(path) : std::string();
}

bool WriteSide(const icons::IconGroup& images, int side, const std::string& top,
               const std::string& stem) {
    const std::string directory = AppsDirectory(top, side);
    const std::string fileName =
        ProgramText(NativePath(directory.empty() ? top : directory) / NativePath(stem + ".png"));
    if (directory.empty()) {
        ReportError(fileName, runtime::errPathNotFound);
        return false;
    }
    const IPictureDisp picture = std::make_shared<const platform::picture::Picture>(
        0, std::make_shared<const icons::IconGroup>(images));
    try {
        WritePicture(picture, fileName, side, false);
        return true;
    } catch (const runtime::RuntimeError& error) {
        ReportError(fileName, error.Number());
        return false;
    }
}

// The hicolor set of one file's icon; false when something was reported.
bool WriteFileSet(const ToolCommand& command, const std::string& fileName,
                  const std::string& stem) {
    const std::int32_t index = command.indexes.empty() ? 0 : command.indexes.front();
    const auto file = icons::IconFile::Open(fileName);
    if (!file) {
        ReportReason(fileName, "no icons: " + file.error().reason);
        return false;
    }
    const auto group = icons::ReadGroup(*file, index);
    if (!group) {
        ReportReason(fileName, "icon " + std::to_string(index) + ": " + group.error().reason);
        return false;
    }
    const std::map<int, icons::IconGroup> sides = HicolorSizes(**group, ChoiceOf(command));
    if (sides.empty()) {
        ReportReason(fileName, "icon " + std::to_string(index) +
                                   ": no square image from 16 to 256 pixels of those asked");
        return false;
    }
    bool ok = true;
    for (const auto& [side, images] : sides) {
        ok = WriteSide(images, side, command.hicolorDirectory, stem) && ok;
    }
    return ok;
}

}  // namespace

std::map<int, icons::IconGroup> HicolorSizes(const icons::IconGroup& group,
                                             const ImageChoice& choice) {
    std::map<int, icons::IconGroup> sides;
    for (const icons::IconImage& image : group.images) {
        const std::optional<HeaderFacts> facts = ReadHeaderFacts(image.bytes);
        if (!facts || facts->width != facts->height || facts->width < kMinHicolorSide ||
            facts->width > kMaxHicolorSide || !IsChosen(choice, image)) {
            continue;
        }
        icons::IconImage sized = image;
        const auto sideByte = static_cast<std::uint8_t>(facts->width & 0xFF);  // 256 is 0
        sized.entry.width = sideByte;
        sized.entry.height = sideByte;
        sized.entry.bitCount = static_cast<std::uint16_t>(facts->depth);
        sides[facts->width].images.push_back(std::move(sized));
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
            ReportReason(fileName, "an earlier file already gave the set its name " + stem);
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
