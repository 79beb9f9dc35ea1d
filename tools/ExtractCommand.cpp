#include "tools/ExtractCommand.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>
#include <new>

#include "picture/MPictureTool.h"
#include "platform/Utilita.h"
#include "platform/icons/IconFile.h"
#include "platform/runtime/RuntimeError.h"
#include "tools/GroupWriting.h"
#include "tools/HicolorCommand.h"
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
bool Write(const IPictureDisp& picture, const std::string& outName, std::optional<int> pngSide,
           bool many = false) {
    try {
        WritePicture(picture, outName, pngSide, !many);
        return true;
    } catch (const runtime::RuntimeError& error) {
        ReportError(outName, error.Number());
        return false;
    }
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
    for (const std::int32_t index : indexes) {
        const IPictureDisp picture = PictureAt(fileName, index);
        if (!picture) {
            ok = false;
            continue;
        }
        const auto at = static_cast<std::uint32_t>(index);
        const std::string outName = ExtractedName(command.outputDirectory, stem, at,
                                                  LabelOf(*file, at), command.pngSide.has_value());
        ok = WriteChosenGroup(picture, outName, command, true) && ok;
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
    if (!command.hicolorDirectory.empty()) {
        return WriteHicolorSets(command);
    }
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
    return RunChoiceTally().Finish(ChoiceOf(command), status);
}

int SaveIcon(const ToolCommand& command) {
    const std::string& fileName = command.files.at(0);
    if (!FileExists(fileName)) {
        ReportError(fileName, runtime::errFileNotFound);
        return kExitFailure;
    }
    const IPictureDisp picture =
        MPictureTool::PictureDaIcona(platform::ExtractIconA(0, fileName, command.indexes.at(0)));
    if (!picture) {
        ReportError(fileName, runtime::errInvalidPropertyValue);
        return kExitFailure;
    }
    const int status =
        WriteChosenGroup(picture, command.output, command, false) ? kExitOk : kExitFailure;
    return RunChoiceTally().Finish(ChoiceOf(command), status);
}

int WriteThumbnail(const ToolCommand& command) {
    const std::string& fileName = command.files.at(0);
    if (!FileExists(fileName)) {
        ReportError(fileName, runtime::errFileNotFound);
        return kExitFailure;
    }
    const IPictureDisp picture = PictureAt(fileName, 0);
    return picture && Write(picture, command.output, command.pngSide) ? kExitOk : kExitFailure;
}

}  // namespace tool
