#include "tools/ListCommand.h"

#include <iostream>
#include <new>

#include "platform/icons/IconDescription.h"
#include "platform/picture/IconImageInfo.h"
#include "platform/runtime/RuntimeError.h"
#include "tools/JsonText.h"
#include "tools/TerminalName.h"
#include "tools/ToolReport.h"

namespace tool {

namespace {

namespace icons = platform::icons;

// "32x32 8bpp", "256x256 32bpp png"
std::string DescribeImage(const icons::IconImage& image) {
    std::string text = std::to_string(image.entry.PixelWidth()) + "x" +
                       std::to_string(image.entry.PixelHeight()) + " " +
                       std::to_string(platform::picture::ColourDepth(image)) + "bpp";
    return platform::picture::IsPng(image) ? text + " png" : text;
}

// The images of a group, a run of entries that read alike given once with its count:
// "16x16 8bpp, 32x32 32bpp", "32x32 8bpp x246".
std::string DescribeImages(const std::vector<icons::DescribedImage>& images) {
    std::string text;
    for (std::size_t i = 0; i < images.size();) {
        const std::string image = DescribeImage(images[i].image);
        std::size_t run = 1;
        while (i + run < images.size() && DescribeImage(images[i + run].image) == image) {
            ++run;
        }
        text += (text.empty() ? "" : ", ") + image + (run > 1 ? " x" + std::to_string(run) : "");
        i += run;
    }
    return text;
}

std::string DescribeGroup(const icons::DescribedGroup& group) {
    if (group.sameAs) {
        return "the same group as icon " + std::to_string(*group.sameAs);
    }
    return group.problem.empty() ? DescribeImages(group.images) : "unreadable: " + group.problem;
}

// "FILE: 2 icons", "FILE: 3 icons (in …/shell32.dll.mun)", "FILE: 0 icons: REASON"
void ListFileAsText(const std::string& fileName) {
    const auto file = icons::IconFile::Open(fileName);
    const std::uint32_t count = file ? file->Groups().Count() : 0;
    std::cout << TerminalName(fileName) << ": " << count << (count == 1 ? " icon" : " icons");
    if (!file) {
        std::cout << ": " << file.error().reason << "\n";
        return;
    }
    if (file->Path() != fileName) {
        std::cout << " (in " << TerminalName(file->Path()) << ")";
    }
    std::cout << "\n";
    icons::DescribeIconGroups(*file, [](const icons::DescribedGroup& group) {
        std::cout << "  icon " << group.index << ": " << DescribeGroup(group) << "\n";
    });
}

std::string ImagesAsJson(const std::vector<icons::DescribedImage>& images) {
    std::string text = "[";
    for (const icons::DescribedImage& described : images) {
        const icons::IconImage& image = described.image;
        text += std::string(text.size() > 1 ? "," : "") +
                "{\"width\":" + std::to_string(image.entry.PixelWidth()) +
                ",\"height\":" + std::to_string(image.entry.PixelHeight()) +
                ",\"depth\":" + std::to_string(platform::picture::ColourDepth(image)) +
                ",\"format\":\"" + (platform::picture::IsPng(image) ? "png" : "dib") +
                "\",\"bytes\":" + std::to_string(described.length) + "}";
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

void ListFileAsJson(const std::string& fileName) {
    const auto file = icons::IconFile::Open(fileName);
    std::string text = "{\"path\":" + JsonString(fileName) + ExactBytes("path", fileName);
    if (!file) {
        std::cout << text << ",\"icons\":[],\"error\":" << JsonString(file.error().reason) << "}\n";
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
    std::cout << text << "]}\n";
}

}  // namespace

int ListIcons(const std::vector<std::string>& fileNames, bool json) {
    int status = kExitOk;
    for (const std::string& fileName : fileNames) {
        if (!FileExists(fileName)) {
            ReportError(fileName, runtime::errFileNotFound);
            status = kExitFailure;
            continue;
        }
        try {
            json ? ListFileAsJson(fileName) : ListFileAsText(fileName);
        } catch (const std::bad_alloc&) {
            ReportError(fileName, runtime::errOutOfMemory);
            status = kExitFailure;
        }
    }
    return status;
}

}  // namespace tool
