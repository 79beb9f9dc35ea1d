#include "tools/ExtractCommand.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <mutex>
#include <new>
#include <set>
#include <span>

#include "picture/MPictureTool.h"
#include "platform/Utilita.h"
#include "platform/icons/IconFile.h"
#include "platform/picture/IcoFileWriter.h"
#include "platform/picture/SaveErrors.h"
#include "platform/runtime/RuntimeError.h"
#include "tools/BesideFileSink.h"
#include "tools/GroupWriting.h"
#include "tools/HicolorCommand.h"
#include "tools/JsonText.h"
#include "tools/KindWords.h"
#include "tools/Messages.h"
#include "tools/ParallelRun.h"
#include "tools/PictureFile.h"
#include "tools/PngEncoding.h"
#include "tools/Sandbox.h"
#include "tools/ToolReport.h"
#include "tools/ToolStreams.h"
#include "tools/WalkedFiles.h"

namespace tool {

namespace {

namespace icons = platform::icons;
using platform::picture::IPictureDisp;

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
                     Format(_("icon %s: %s"), {std::to_string(index),
                                               ReaderReason(icons::WhyNoIcon(fileName, index))}));
    }
    return picture;
}

// The icon at an index of an opened file as a picture, read on the calling thread alone (no
// ExtractIconA: its process-wide file takes turns); reported on standard error when the file gives
// none.
IPictureDisp PictureOf(const icons::IconFile& file, const std::string& fileName,
                       std::int32_t index) {
    auto group = icons::ReadGroup(file, index);
    if (!group) {
        ReportReason(fileName, Format(_("icon %s: %s"),
                                      {std::to_string(index), ReaderReason(group.error().reason)}));
        return {};
    }
    // The picture holds the group itself, no handle of the process-wide table.
    return std::make_shared<const platform::picture::Picture>(0, std::move(*group));
}

// The described icons at the indexes (the negative ones, which name no group, left out).
std::map<std::uint32_t, DescribedIcon> DescribeAt(const icons::IconFile& file,
                                                  std::span<const std::int32_t> indexes) {
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
        const std::string why = icon ? icon->problem : icons::WhyNoIcon(fileName, index);
        ReportReason(fileName,
                     Format(_("icon %s: %s"), {std::to_string(index), ReaderReason(why)}));
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
// when an earlier file of the run going to the same output directory had it (ignoring case, as
// many file systems do), so that two files named alike never write over each other's icons.
class RunStems {
public:
    std::string For(const std::string& under, const std::string& fileName) {
        const std::string stem = ProgramText(NativePath(fileName).stem());
        std::string key = under + '/' + stem;
        std::transform(key.begin(), key.end(), key.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        const int seen = ++seen_[key];
        return seen == 1 ? stem : stem + "~" + std::to_string(seen);
    }

private:
    std::map<std::string, int> seen_;
};

bool IconsAsked(const ToolCommand& command) {
    return command.resourceKind == &platform::format::kIconResources;
}

// The name with its ".ico" replaced by the kind's extension (.cur, .ani).
std::string WithKindExtension(std::string name, const platform::format::ResourceKind& kind) {
    return name.substr(0, name.size() - 4) + (kind.StandsAlone() ? ".ani" : ".cur");
}

// Writes group `index` of a file opened for a kind other than icons; false when reported.
bool WriteKindGroup(const icons::IconFile& file, const std::string& fileName, std::int32_t index,
                    const std::string& outName, bool many) {
    const auto group = icons::ReadGroup(file, index);
    const auto bytes =
        group ? platform::picture::GroupFileBytes(**group, file.Groups().Kind()) : std::nullopt;
    if (!bytes) {
        ReportReason(fileName, GroupLine(file.Groups().Kind(), index,
                                         group ? _("too large to write")
                                               : ReaderReason(group.error().reason)));
        return false;
    }
    try {
        WriteFileBytes(*bytes, outName, !many);
        return true;
    } catch (const WriteError& error) {
        ReportReason(outName, WriteFailureReason(outName, error.Number(), error.Errno()));
        return false;
    }
}

// extract --json's line for a file written:
// {"path":"out/app-000-ID1.ico","source":"app.exe","index":0,"label":"ID1","format":"ico"}
void PrintWritten(const std::string& outName, const std::string& fileName, std::uint32_t index,
                  const std::string& label, std::string_view format) {
    ToolOut() << "{\"path\":" << JsonString(outName) << ",\"source\":" << JsonString(fileName)
              << ",\"index\":" << index << ",\"label\":" << JsonString(label) << ",\"format\":\""
              << format << "\"}\n";
}

// With --json, what prints each file written of a group (PrintWritten); else nothing.
WrittenFile JsonLines(const ToolCommand& command, const std::string& fileName, std::uint32_t index,
                      const std::string& label, std::string_view format) {
    if (!command.json) {
        return {};
    }
    return
        [=](const std::string& outName) { PrintWritten(outName, fileName, index, label, format); };
}

// The output directory and its subdirectories the files of a walk go to, each made when a file
// first writes there; safe to call from several threads.
class OutputDirectories {
public:
    explicit OutputDirectories(std::string top) : top_(std::move(top)) {
        std::error_code error;
        std::filesystem::create_directories(NativePath(top_), error);
    }

    // The directory for files `under` (a path relative to the top; "" for the top itself).
    std::string For(const std::string& under) {
        if (under.empty()) {
            return top_;
        }
        const std::filesystem::path path = NativePath(top_) / NativePath(under);
        const std::lock_guard lock(mutex_);
        if (made_.insert(under).second) {
            std::error_code error;
            std::filesystem::create_directories(path, error);
        }
        return ProgramText(path);
    }

private:
    std::string top_;
    std::mutex mutex_;
    std::set<std::string> made_;
};

// A file with more icons than this has them written in parts of this many, the parts on the
// command's jobs (each part over an IconFile of its own: one is read by one thread at a time).
constexpr std::size_t kIconsPerPart = 16;

// The groups at `indexes` of a file opened for a kind other than icons, into `directory` (.cur,
// .ani); false when something was reported.
bool ExtractKindGroups(const ToolCommand& command, const icons::IconFile& file,
                       const std::string& fileName, std::span<const std::int32_t> indexes,
                       const std::string& directory, const std::string& stem) {
    bool ok = true;
    for (const std::int32_t index : indexes) {
        const auto at = static_cast<std::uint32_t>(index);
        const std::string label = LabelOf(file, at);
        const std::string outName = WithKindExtension(
            ExtractedName(directory, stem, at, label, false), file.Groups().Kind());
        const bool written = WriteKindGroup(file, fileName, index, outName, true);
        if (written && command.json) {
            PrintWritten(outName, fileName, at, label,
                         file.Groups().Kind().StandsAlone() ? "ani" : "cur");
        }
        ok = written && ok;
    }
    return ok;
}

// The icons at `indexes` of the opened file drawn as PNGs into `directory`, each from the one image
// it draws; false when something was reported.
bool ExtractPngs(const ToolCommand& command, const icons::IconFile& file,
                 const std::string& fileName, std::span<const std::int32_t> indexes,
                 const std::string& directory, const std::string& stem) {
    const auto described = DescribeAt(file, indexes);
    bool ok = true;
    for (const std::int32_t index : indexes) {
        const DescribedIcon* icon = DrawableAt(described, fileName, index);
        if (!icon) {
            ok = false;
            continue;
        }
        const auto at = static_cast<std::uint32_t>(index);
        const std::string label = LabelOf(file, at);
        const std::string outName = ExtractedName(directory, stem, at, label, true);
        ok = WriteChosenPngs(file, *icon, outName, command, true,
                             JsonLines(command, fileName, at, label, "png")) &&
             ok;
    }
    return ok;
}

// The icons at `indexes` of the opened file, into `directory`; false when something was reported.
bool ExtractIndexes(const ToolCommand& command, const icons::IconFile& file,
                    const std::string& fileName, std::span<const std::int32_t> indexes,
                    const std::string& directory, const std::string& stem) {
    if (!IconsAsked(command)) {
        return ExtractKindGroups(command, file, fileName, indexes, directory, stem);
    }
    if (command.pngSide) {
        return ExtractPngs(command, file, fileName, indexes, directory, stem);
    }
    bool ok = true;
    for (const std::int32_t index : indexes) {
        const IPictureDisp picture = PictureOf(file, fileName, index);
        if (!picture) {
            ok = false;
            continue;
        }
        const auto at = static_cast<std::uint32_t>(index);
        const std::string label = LabelOf(file, at);
        const std::string outName = ExtractedName(directory, stem, at, label, false);
        ok = WriteChosenIco(picture, outName, command, true,
                            JsonLines(command, fileName, at, label, "ico")) &&
             ok;
    }
    return ok;
}

// Every icon of the file, or those the command names, into `directory`; false when something
// was reported. A file a walked directory holds that has no icons is passed over in silence.
bool ExtractFile(const ToolCommand& command, const WalkItem& item, const std::string& directory,
                 const std::string& stem) {
    const std::string& fileName = item.path;
    const auto file = icons::IconFile::Open(fileName, *command.resourceKind);
    if (!file) {
        if (!item.named) {
            return true;
        }
        ReportReason(fileName, NoGroups(*command.resourceKind, ReaderReason(file.error().reason)));
        return false;
    }
    const std::uint32_t count = file->Groups().Count();
    std::vector<std::int32_t> indexes = command.indexes;
    for (std::uint32_t i = 0; command.indexes.empty() && i < count; ++i) {
        indexes.push_back(static_cast<std::int32_t>(i));
    }
    const unsigned jobs = JobsOf(command);
    if (jobs == 1 || indexes.size() <= kIconsPerPart) {
        return ExtractIndexes(command, *file, fileName, indexes, directory, stem);
    }
    const std::size_t parts = (indexes.size() + kIconsPerPart - 1) / kIconsPerPart;
    return RunInOrder(parts, jobs, [&](std::size_t part) {
        const auto own = icons::IconFile::Open(fileName, *command.resourceKind);
        if (!own) {
            ReportReason(fileName,
                         NoGroups(*command.resourceKind, ReaderReason(own.error().reason)));
            return false;
        }
        const std::size_t first = part * kIconsPerPart;
        const std::span<const std::int32_t> some(indexes.data() + first,
                                                 std::min(kIconsPerPart, indexes.size() - first));
        return ExtractIndexes(command, *own, fileName, some, directory, stem);
    });
}

// The PNG of the icon at an index of the file, drawn at the command's size; nullopt when it gives
// none (reported).
std::optional<std::vector<std::uint8_t>> DrawnPng(const ToolCommand& command,
                                                  const std::string& fileName, std::int32_t index) {
    const auto file = icons::IconFile::Open(fileName);
    if (!file) {
        ReportReason(fileName, Format(_("icon %s: %s"),
                                      {std::to_string(index), ReaderReason(file.error().reason)}));
        return std::nullopt;
    }
    const std::int32_t indexes[] = {index};
    const auto described = DescribeAt(*file, indexes);
    const DescribedIcon* icon = DrawableAt(described, fileName, index);
    auto png = icon ? EncodePng(*file, *icon, *command.pngSide) : std::nullopt;
    if (icon && !png) {
        ReportError(command.output, runtime::errInvalidPropertyValue);
    }
    return png;
}

// save --png: the PNGs of the icon at the command's index written to its output.
int SavePng(const ToolCommand& command, const std::string& fileName) {
    const std::int32_t index = command.indexes.at(0);
    const auto file = icons::IconFile::Open(fileName);
    if (!file) {
        ReportReason(fileName, Format(_("icon %s: %s"),
                                      {std::to_string(index), ReaderReason(file.error().reason)}));
        return kExitFailure;
    }
    const std::int32_t indexes[] = {index};
    const auto described = DescribeAt(*file, indexes);
    const DescribedIcon* icon = DrawableAt(described, fileName, index);
    return icon && WriteChosenPngs(*file, *icon, command.output, command, false, {}) ? kExitOk
                                                                                     : kExitFailure;
}

void ReportSinkFailure(const std::string& output, int errnoValue) {
    ReportReason(output, WriteFailureReason(output, platform::picture::SaveErrorNumber(errnoValue),
                                            errnoValue));
}

}  // namespace

std::string ExtractedName(const std::string& directory, const std::string& stem,
                          std::uint32_t index, const std::string& label, bool png) {
    char number[16];
    std::snprintf(number, sizeof number, "%03u", static_cast<unsigned>(index));
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "text" + a string's temporary.
    std::string name = stem;
    name += '-';
    name += number;
    if (!label.empty()) {
        name += '-';
        name += SafeLabel(label);
    }
    name += png ? ".png" : ".ico";
    return ProgramText(NativePath(directory) / NativePath(name));
}

int ExtractIcons(const ToolCommand& command) {
    if (!command.hicolorDirectory.empty()) {
        return WriteHicolorSets(command);
    }
    OutputDirectories directories(command.outputDirectory);
    const std::vector<WalkItem> items = WalkedFiles(command);
    // The stems are given in walk order before any file is read, the same for every --jobs.
    std::vector<std::string> stems(items.size());
    RunStems runStems;
    for (std::size_t i = 0; i < items.size(); ++i) {
        stems[i] =
            items[i].IsProblem() ? std::string() : runStems.For(items[i].under, items[i].path);
    }
    const bool ok = ForEachWalkedFile(command, items, [&](std::size_t i) {
        const std::string& fileName = items[i].path;
        if (!FileExists(fileName)) {
            ReportError(fileName, runtime::errFileNotFound);
            return false;
        }
        try {
            return ExtractFile(command, items[i], directories.For(items[i].under), stems[i]);
        } catch (const std::bad_alloc&) {
            ReportError(fileName, runtime::errOutOfMemory);
            return false;
        }
    });
    return RunChoiceTally().Finish(ChoiceOf(command), ok ? kExitOk : kExitFailure);
}

int SaveIcon(const ToolCommand& command) {
    const std::string& fileName = command.files.at(0);
    if (!FileExists(fileName)) {
        ReportError(fileName, runtime::errFileNotFound);
        return kExitFailure;
    }
    if (!IconsAsked(command)) {
        const auto file = icons::IconFile::Open(fileName, *command.resourceKind);
        if (!file) {
            ReportReason(fileName,
                         NoGroups(*command.resourceKind, ReaderReason(file.error().reason)));
            return kExitFailure;
        }
        return WriteKindGroup(*file, fileName, command.indexes.at(0), command.output, false)
                   ? kExitOk
                   : kExitFailure;
    }
    if (command.pngSide) {
        return RunChoiceTally().Finish(ChoiceOf(command), SavePng(command, fileName));
    }
    const IPictureDisp picture = PictureAt(fileName, command.indexes.at(0));
    const bool ok = picture && WriteChosenIco(picture, command.output, command, false, {});
    return RunChoiceTally().Finish(ChoiceOf(command), ok ? kExitOk : kExitFailure);
}

int WriteThumbnail(const ToolCommand& command) {
    const std::string& fileName = command.files.at(0);
    if (!FileExists(fileName)) {
        ReportError(fileName, runtime::errFileNotFound);
        return kExitFailure;
    }
    // The output's directory is opened before the process confines itself; from then on it reads
    // the input (and its .mun) and writes beside OUTPUT.
    BesideFileSink sink;
    if (!sink.OpenDirectory(command.output)) {
        ReportSinkFailure(command.output, sink.FailureErrno());
        return kExitFailure;
    }
    ConfineForReading({fileName}, sink.DirectoryDescriptor(), command.verbose);
    const auto png = DrawnPng(command, fileName, 0);
    if (!png) {
        return kExitFailure;
    }
    if (!sink.Replace(*png)) {
        ReportSinkFailure(command.output, sink.FailureErrno());
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace tool
