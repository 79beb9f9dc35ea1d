#include "tools/ExtractCommand.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>
#include <new>
#include <set>

#include "picture/MPictureTool.h"
#include "platform/Utilita.h"
#include "platform/icons/IconFile.h"
#include "platform/runtime/RuntimeError.h"
#include "tools/PictureFile.h"
#include "tools/PngEncoding.h"
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

std::string SafeLabel(std::string label) {
    for (char& c : label) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F ||
            std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    return label;
}

// The icon at an index as a picture; reported on standard error when the file gives none.
IPictureDisp PictureAt(const std::string& fileName, std::int32_t index) {
    IPictureDisp picture = MPictureTool::PictureDaIcona(platform::ExtractIconA(0, fileName, index));
    if (!picture) {
        ReportReason(fileName,
                     "icon " + std::to_string(index) + ": " + icons::WhyNoIcon(fileName, index));
    }
    return picture;
}

// Writes one file; `many` when it is one of many (extract): not flushed to disk one by one.
bool Write(const IPictureDisp& picture, const std::string& outName, bool many = false) {
    try {
        WritePicture(picture, outName, !many);
        return true;
    } catch (const runtime::RuntimeError& error) {
        ReportError(outName, error.Number());
        return false;
    }
}

// Draws the icon as a PNG, reading only the images it tries, and writes it like Write; error 380
// when no image of it draws (nothing written).
bool WritePng(const icons::IconFile& file, const DescribedIcon& icon, int side,
              const std::string& outName, bool many = false) {
    try {
        const auto png = EncodePng(file, icon, side);
        if (!png) {
            runtime::Raise(runtime::errInvalidPropertyValue);
        }
        WritePngFile(*png, outName, !many);
        return true;
    } catch (const runtime::RuntimeError& error) {
        ReportError(outName, error.Number());
        return false;
    }
}

// The reason the icon at an index gives nothing, from its description or else from WhyNoIcon.
std::string ReasonOf(const std::string& fileName, std::int32_t index, const DescribedIcon* icon) {
    const std::string why = icon ? icon->problem : icons::WhyNoIcon(fileName, index);
    return "icon " + std::to_string(index) + ": " + why;
}

// The described icons at the indexes (the negative ones, which name no group, left out).
std::map<std::uint32_t, DescribedIcon> DescribeAt(const icons::IconFile& file,
                                                  const std::vector<std::int32_t>& indexes) {
    std::set<std::uint32_t> wanted;
    for (const std::int32_t index : indexes) {
        if (index >= 0) {
            wanted.insert(static_cast<std::uint32_t>(index));
        }
    }
    return DescribeIcons(file, wanted);
}

// The described icon at an index when it gives an icon; else null, the reason reported.
const DescribedIcon* DrawableAt(const std::map<std::uint32_t, DescribedIcon>& described,
                                const std::string& fileName, std::int32_t index) {
    const auto found = index < 0 ? described.end() : described.find(std::uint32_t(index));
    const DescribedIcon* icon = found == described.end() ? nullptr : &found->second;
    if (!icon || !icon->problem.empty() || icon->images.empty()) {
        ReportReason(fileName, ReasonOf(fileName, index, icon));
        return nullptr;
    }
    return icon;
}

// The group's label, read from the directory alone; empty when it cannot be read.
std::string LabelOf(const icons::IconFile& file, std::uint32_t index) {
    const auto record = file.Groups().Group(index);
    return record ? record->name.Label() : std::string();
}

// The stems the files of one run name their icons after: a file's own stem, "~2", "~3"... added
// when an earlier file of the run had it (ignoring case, as many file systems do), so that two
// files named alike never write over each other's icons.
class RunStems {
public:
    std::string For(const std::string& fileName) {
        const std::string stem = ProgramText(NativePath(fileName).stem());
        std::string key = stem;
        std::transform(key.begin(), key.end(), key.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        const int seen = ++seen_[key];
        return seen == 1 ? stem : stem + "~" + std::to_string(seen);
    }

private:
    std::map<std::string, int> seen_;
};

// Every icon of the file, or those the command names; false when something was reported.
bool ExtractFile(const ToolCommand& command, const std::string& fileName, const std::string& stem) {
    const auto file = icons::IconFile::Open(fileName);
    if (!file) {
        ReportReason(fileName, "no icons: " + file.error().reason);
        return false;
    }
    const std::uint32_t count = file->Groups().Count();
    std::vector<std::int32_t> indexes = command.indexes;
    for (std::uint32_t i = 0; command.indexes.empty() && i < count; ++i) {
        indexes.push_back(static_cast<std::int32_t>(i));
    }
    bool ok = true;
    if (command.pngSide) {
        const auto described = DescribeAt(*file, indexes);
        for (const std::int32_t index : indexes) {
            const DescribedIcon* icon = DrawableAt(described, fileName, index);
            const auto at = static_cast<std::uint32_t>(index);
            ok =
                icon &&
                WritePng(*file, *icon, *command.pngSide,
                         ExtractedName(command.outputDirectory, stem, at, LabelOf(*file, at), true),
                         true) &&
                ok;
        }
        return ok;
    }
    for (const std::int32_t index : indexes) {
        const IPictureDisp picture = PictureAt(fileName, index);
        if (!picture) {
            ok = false;
            continue;
        }
        const auto at = static_cast<std::uint32_t>(index);
        const std::string outName =
            ExtractedName(command.outputDirectory, stem, at, LabelOf(*file, at), false);
        ok = Write(picture, outName, true) && ok;
    }
    return ok;
}

}  // namespace

std::string ExtractedName(const std::string& directory, const std::string& stem,
                          std::uint32_t index, const std::string& label, bool png) {
    char number[16];
    std::snprintf(number, sizeof number, "%03u", static_cast<unsigned>(index));
    const std::string name = stem + "-" + number + (label.empty() ? "" : "-" + SafeLabel(label)) +
                             (png ? ".png" : ".ico");
    return ProgramText(NativePath(directory) / NativePath(name));
}

int ExtractIcons(const ToolCommand& command) {
    std::error_code error;
    std::filesystem::create_directories(NativePath(command.outputDirectory), error);
    int status = kExitOk;
    RunStems stems;
    for (const std::string& fileName : command.files) {
        if (!FileExists(fileName)) {
            ReportError(fileName, runtime::errFileNotFound);
            status = kExitFailure;
            continue;
        }
        try {
            status = ExtractFile(command, fileName, stems.For(fileName)) ? status : kExitFailure;
        } catch (const std::bad_alloc&) {
            ReportError(fileName, runtime::errOutOfMemory);
            status = kExitFailure;
        }
    }
    return status;
}

int SaveIcon(const ToolCommand& command) {
    const std::string& fileName = command.files.at(0);
    if (!FileExists(fileName)) {
        ReportError(fileName, runtime::errFileNotFound);
        return kExitFailure;
    }
    const std::int32_t index = command.indexes.at(0);
    if (command.pngSide) {
        const auto file = icons::IconFile::Open(fileName);
        std::map<std::uint32_t, DescribedIcon> described;
        if (file) {
            described = DescribeAt(*file, {index});
        }
        const auto found = index < 0 ? described.end() : described.find(std::uint32_t(index));
        if (found == described.end() || !found->second.problem.empty()) {
            ReportError(fileName, runtime::errInvalidPropertyValue);
            return kExitFailure;
        }
        return WritePng(*file, found->second, *command.pngSide, command.output) ? kExitOk
                                                                                : kExitFailure;
    }
    const IPictureDisp picture =
        MPictureTool::PictureDaIcona(platform::ExtractIconA(0, fileName, index));
    if (!picture) {
        ReportError(fileName, runtime::errInvalidPropertyValue);
        return kExitFailure;
    }
    return Write(picture, command.output) ? kExitOk : kExitFailure;
}

int WriteThumbnail(const ToolCommand& command) {
    const std::string& fileName = command.files.at(0);
    if (!FileExists(fileName)) {
        ReportError(fileName, runtime::errFileNotFound);
        return kExitFailure;
    }
    const auto file = icons::IconFile::Open(fileName);
    if (!file) {
        ReportReason(fileName, "icon 0: " + file.error().reason);
        return kExitFailure;
    }
    const auto described = DescribeAt(*file, {0});
    const DescribedIcon* icon = DrawableAt(described, fileName, 0);
    return icon && WritePng(*file, *icon, *command.pngSide, command.output) ? kExitOk
                                                                            : kExitFailure;
}

}  // namespace tool
