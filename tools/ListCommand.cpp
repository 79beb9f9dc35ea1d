#include "tools/ListCommand.h"

#include <new>

#include "platform/format/ImageHeader.h"
#include "platform/icons/IconDescription.h"
#include "platform/picture/IconImageInfo.h"
#include "platform/runtime/RuntimeError.h"
#include "tools/JsonText.h"
#include "tools/KindWords.h"
#include "tools/Messages.h"
#include "tools/Sandbox.h"
#include "tools/TerminalName.h"
#include "tools/ToolReport.h"
#include "tools/ToolStreams.h"
#include "tools/WalkedFiles.h"

namespace tool {

namespace {

namespace icons = platform::icons;
namespace format = platform::format;

// What an image is, read from its own header where it has one (else from its group entry), and
// whether its group entry claims another size or depth. A cursor group's height may count the AND
// mask (Microsoft's rc doubles it): that claim agrees.
struct ImageFacts {
    std::int64_t width = 0;
    std::int64_t height = 0;
    int depth = 0;
    std::string format;  // "dib", "png", "ani"
    bool claimDiffers = false;
};

ImageFacts FactsOf(const icons::IconImage& image) {
    const icons::IconDirEntry& entry = image.entry;
    if (format::IsAnimatedCursor(image.bytes)) {
        return {.format = "ani"};
    }
    const auto header = format::ReadImageHeader(image.bytes);
    if (!header) {
        return {entry.PixelWidth(), entry.PixelHeight(), platform::picture::ColourDepth(image),
                platform::picture::IsPng(image) ? "png" : "dib"};
    }
    const bool heightAgrees = entry.PixelHeight() == header->height ||
                              (image.hotspot && entry.PixelHeight() == 2 * header->height);
    return {header->width, header->height, header->depth,
            header->format == format::ImageFormat::Png ? "png" : "dib",
            entry.PixelWidth() != header->width || !heightAgrees ||
                (entry.bitCount != 0 && entry.bitCount != header->depth)};
}

// "32x32 8bpp", "256x256 32bpp png", "32x32 1bpp hotspot 7,18",
// "256x256 32bpp png (the group says 13x256 21060bpp)", "ani 9216 bytes"
std::string DescribeImage(const icons::DescribedImage& described) {
    const icons::IconImage& image = described.image;
    const ImageFacts facts = FactsOf(image);
    if (facts.format == "ani") {
        return Format(_("ani %s bytes"), {std::to_string(described.length)});
    }
    std::string text = std::to_string(facts.width) + "x" + std::to_string(facts.height) + " " +
                       std::to_string(facts.depth) + "bpp" + (facts.format == "png" ? " png" : "");
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on " " + a string's temporary.
    if (image.hotspot) {
        text += ' ';
        text += Format(_("hotspot %s,%s"),
                       {std::to_string(image.hotspot->x), std::to_string(image.hotspot->y)});
    }
    if (facts.claimDiffers) {
        std::string claim = std::to_string(image.entry.PixelWidth()) + "x" +
                            std::to_string(image.entry.PixelHeight());
        if (image.entry.bitCount != 0) {
            claim += ' ';
            claim += std::to_string(image.entry.bitCount) + "bpp";
        }
        text += ' ';
        text += Format(_("(the group says %s)"), {claim});
    }
    return text;
}

// The images of a group, a run of entries that read alike given once with its count:
// "16x16 8bpp, 32x32 32bpp", "32x32 8bpp x246".
std::string DescribeImages(const std::vector<icons::DescribedImage>& images) {
    std::string text;
    for (std::size_t i = 0; i < images.size();) {
        const std::string image = DescribeImage(images[i]);
        std::size_t run = 1;
        while (i + run < images.size() && DescribeImage(images[i + run]) == image) {
            ++run;
        }
        text += (text.empty() ? "" : ", ") + image + (run > 1 ? " x" + std::to_string(run) : "");
        i += run;
    }
    return text;
}

std::string DescribeGroup(const icons::DescribedGroup& group, const format::ResourceKind& kind) {
    if (group.sameAs) {
        return SameGroupAs(kind, *group.sameAs);
    }
    return group.problem.empty() ? DescribeImages(group.images)
                                 : Format(_("unreadable: %s"), {ReaderReason(group.problem)});
}

// "FILE: 2 icons", "FILE: 3 icons (in …/shell32.dll.mun)", "FILE: 0 icons: REASON"
void ListFileAsText(const std::string& fileName, const format::ResourceKind& kind) {
    const auto file = icons::IconFile::Open(fileName, kind);
    const std::uint32_t count = file ? file->Groups().Count() : 0;
    ToolOut() << TerminalName(fileName) << ": " << CountedGroups(kind, count);
    if (!file) {
        ToolOut() << ": " << ReaderReason(file.error().reason) << "\n";
        return;
    }
    if (file->Path() != fileName) {
        ToolOut() << " " << Format(_("(in %s)"), {TerminalName(file->Path())});
    }
    ToolOut() << "\n";
    icons::DescribeIconGroups(*file, [&kind](const icons::DescribedGroup& group) {
        ToolOut() << "  " << GroupLine(kind, group.index, DescribeGroup(group, kind)) << "\n";
    });
}

std::string ImagesAsJson(const std::vector<icons::DescribedImage>& images) {
    std::string text = "[";
    for (const icons::DescribedImage& described : images) {
        const icons::IconImage& image = described.image;
        const ImageFacts facts = FactsOf(image);
        text += std::string(text.size() > 1 ? "," : "") +
                "{\"width\":" + std::to_string(facts.width) +
                ",\"height\":" + std::to_string(facts.height) +
                ",\"depth\":" + std::to_string(facts.depth) + ",\"format\":\"" + facts.format +
                "\",\"bytes\":" + std::to_string(described.length);
        if (image.hotspot) {
            text += ",\"hotspot\":{\"x\":" + std::to_string(image.hotspot->x) +
                    ",\"y\":" + std::to_string(image.hotspot->y) + "}";
        }
        if (facts.claimDiffers) {
            text += ",\"claimed\":{\"width\":" + std::to_string(image.entry.PixelWidth()) +
                    ",\"height\":" + std::to_string(image.entry.PixelHeight()) +
                    ",\"depth\":" + std::to_string(image.entry.bitCount) + "}";
        }
        text += "}";
    }
    return text + "]";
}

std::string NameAsJson(const icons::ResourceName& name) {
    std::string text = name.id             ? ",\"id\":" + std::to_string(*name.id)
                       : name.name.empty() ? std::string()
                                           : ",\"name\":" + JsonString(name.name);
    return name.language ? text + ",\"language\":" + std::to_string(*name.language) : text;
}

// {"index":0,"id":16,"language":1033,"images":[...]}; a repeated group gives "same_as" and the
// images of the group it repeats; an unreadable one "error".
std::string GroupAsJson(const icons::DescribedGroup& group, std::vector<std::string>& described) {
    std::string text = "{\"index\":" + std::to_string(group.index) + NameAsJson(group.name);
    std::string images = ImagesAsJson(group.images);
    if (group.sameAs) {
        text += ",\"same_as\":" + std::to_string(*group.sameAs);
        images = described.at(*group.sameAs);
    } else if (!group.problem.empty()) {
        text += ",\"error\":" + JsonString(group.problem);
    }
    described.push_back(images);
    return text + ",\"images\":" + images + "}";
}

// ",\"path_bytes\":\"<base64>\"" when a name is not UTF-8 (its JSON string then has U+FFFD in
// place of the bytes that are not), so that names differing only there stay told apart.
std::string ExactBytes(const std::string& key, const std::string& name) {
    return IsUtf8(name) ? std::string() : ",\"" + key + "_bytes\":\"" + Base64(name) + "\"";
}

void ListFileAsJson(const std::string& fileName, const format::ResourceKind& kind) {
    const auto file = icons::IconFile::Open(fileName, kind);
    std::string text = "{\"path\":" + JsonString(fileName) + ExactBytes("path", fileName);
    if (!file) {
        ToolOut() << text << ",\"icons\":[],\"error\":" << JsonString(file.error().reason) << "}\n";
        return;
    }
    if (file->Path() != fileName) {
        text += ",\"icons_in\":" + JsonString(file->Path()) + ExactBytes("icons_in", file->Path());
    }
    text += ",\"icons\":[";
    std::vector<std::string> described;
    icons::DescribeIconGroups(*file, [&](const icons::DescribedGroup& group) {
        text += described.empty() ? "" : ",";
        text += GroupAsJson(group, described);
    });
    ToolOut() << text << "]}\n";
}

// One file listed; false when it was reported on standard error.
bool ListFile(const std::string& fileName, bool json, const format::ResourceKind& kind) {
    if (!FileExists(fileName)) {
        ReportError(fileName, runtime::errFileNotFound);
        return false;
    }
    try {
        json ? ListFileAsJson(fileName, kind) : ListFileAsText(fileName, kind);
        return true;
    } catch (const std::bad_alloc&) {
        ReportError(fileName, runtime::errOutOfMemory);
        return false;
    }
}

}  // namespace

int ListIcons(const ToolCommand& command) {
    const std::vector<WalkItem> items = WalkedFiles(command);
    if (command.sandbox) {
        // Confined once the walk is done: from then on only the files it found may be read.
        std::vector<std::string> files;
        for (const WalkItem& item : items) {
            if (!item.IsProblem()) {
                files.push_back(item.path);
            }
        }
        ConfineForReading(files, -1, command.verbose);
    }
    const bool ok = ForEachWalkedFile(command, items, [&](std::size_t i) {
        return ListFile(items[i].path, command.json, *command.resourceKind);
    });
    return ok ? kExitOk : kExitFailure;
}

}  // namespace tool
