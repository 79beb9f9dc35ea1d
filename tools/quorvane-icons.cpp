// quorvane-icons: lists the icons of executables and saves one of them as an .ico file, through
// the same calls the window makes.
//
//   quorvane-icons list FILE...
//   quorvane-icons save FILE INDEX OUT.ico

#include <charconv>
#include <cstdint>
#include <iostream>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>

#include "picture/MPictureTool.h"
#include "platform/Utilita.h"
#include "platform/icons/IconDescription.h"
#include "platform/icons/IconService.h"
#include "platform/picture/IconImageInfo.h"
#include "platform/picture/SavePicture.h"
#include "platform/runtime/RuntimeError.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr std::string_view kUsage =
    "usage: quorvane-icons list FILE...\n"
    "       quorvane-icons save FILE INDEX OUT.ico\n";

int UsageError() {
    std::cerr << kUsage;
    return kExitUsage;
}

void ReportError(const std::string& fileName, std::int32_t number) {
    std::cerr << "quorvane-icons: " << fileName << ": errore " << number << ": "
              << runtime::DescriptionOf(number) << "\n";
}

// The name goes to the system as the command line gave it: bytes, whatever their encoding.
bool FileExists(const std::string& fileName) {
    struct stat status {};
    return ::stat(fileName.c_str(), &status) == 0;
}

// "32x32 8bpp", "256x256 32bpp png"
std::string DescribeImage(const platform::icons::IconImage& image) {
    std::string text = std::to_string(image.entry.PixelWidth()) + "x" +
                       std::to_string(image.entry.PixelHeight()) + " " +
                       std::to_string(platform::picture::ColourDepth(image)) + "bpp";
    return platform::picture::IsPng(image) ? text + " png" : text;
}

// The images of a group, a run of entries that read alike given once with its count:
// "16x16 8bpp, 32x32 32bpp", "32x32 8bpp x246".
std::string DescribeImages(const std::vector<platform::icons::DescribedImage>& images) {
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

std::string DescribeGroup(const platform::icons::DescribedGroup& group) {
    if (group.sameAs) {
        return "the same group as icon " + std::to_string(*group.sameAs);
    }
    return group.problem.empty() ? DescribeImages(group.images) : "unreadable: " + group.problem;
}

// Every group the file's group directory names, described from the directories alone.
void ListFile(const std::string& fileName) {
    const auto file = platform::icons::IconFile::Open(fileName);
    const std::uint32_t count = file ? file->Groups().Count() : 0;
    std::cout << fileName << ": " << count << (count == 1 ? " icon" : " icons");
    if (file && file->Path() != fileName) {
        std::cout << " (in " << file->Path() << ")";
    }
    std::cout << "\n";
    if (file) {
        platform::icons::DescribeIconGroups(
            *file, [](const platform::icons::DescribedGroup& group) {
                std::cout << "  icon " << group.index << ": " << DescribeGroup(group) << "\n";
            });
    }
}

int ListIcons(const std::vector<std::string>& fileNames) {
    int status = kExitOk;
    for (const std::string& fileName : fileNames) {
        if (!FileExists(fileName)) {
            ReportError(fileName, runtime::errFileNotFound);
            status = kExitFailure;
            continue;
        }
        try {
            ListFile(fileName);
        } catch (const std::bad_alloc&) {
            ReportError(fileName, runtime::errOutOfMemory);
            status = kExitFailure;
        }
    }
    return status;
}

int SaveIcon(const std::string& fileName, std::int32_t index, const std::string& outName) {
    if (!FileExists(fileName)) {
        ReportError(fileName, runtime::errFileNotFound);
        return kExitFailure;
    }
    const platform::picture::IPictureDisp picture =
        MPictureTool::PictureDaIcona(platform::ExtractIconA(0, fileName, index));
    if (!picture) {
        ReportError(fileName, runtime::errInvalidPropertyValue);
        return kExitFailure;
    }
    try {
        platform::picture::SavePicture(picture, outName);
    } catch (const runtime::RuntimeError& error) {
        ReportError(outName, error.Number());
        return kExitFailure;
    }
    return kExitOk;
}

bool ParseIndex(std::string_view text, std::int32_t& index) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, index);
    return error == std::errc() && stop == end;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 2 && args[0] == "list") {
        return ListIcons({args.begin() + 1, args.end()});
    }
    std::int32_t index = 0;
    if (args.size() == 4 && args[0] == "save" && ParseIndex(args[2], index)) {
        return SaveIcon(args[1], index, args[3]);
    }
    return UsageError();
}
