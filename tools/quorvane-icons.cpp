// quorvane-icons: lists the icons of executables and saves one of them as an .ico file, through
// the same calls the window makes.
//
//   quorvane-icons list FILE...
//   quorvane-icons save FILE INDEX OUT.ico

#include <charconv>
#include <cstdint>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>

#include "picture/MPictureTool.h"
#include "platform/Utilita.h"
#include "platform/icons/IconService.h"
#include "platform/picture/IconImageInfo.h"
#include "platform/picture/SavePicture.h"
#include "platform/toolkit/RuntimeError.h"

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
              << toolkit::DescriptionOf(number) << "\n";
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

std::string DescribeIcon(const platform::icons::IconGroup& group) {
    std::string text;
    for (const platform::icons::IconImage& image : group.images) {
        text += (text.empty() ? "" : ", ") + DescribeImage(image);
    }
    return text;
}

// Every icon of the file, described: ExtractIconA from index 0 until it gives no icon.
std::vector<std::string> DescribeIcons(const std::string& fileName) {
    std::vector<std::string> icons;
    for (std::int32_t index = 0; index < INT32_MAX; ++index) {
        const platform::icons::HICON handle = platform::ExtractIconA(0, fileName, index);
        if (handle == 0) {
            break;
        }
        const auto group = platform::icons::IconGroupOf(handle);
        icons.push_back(group ? DescribeIcon(*group) : std::string());
        platform::DestroyIcon(handle);
    }
    return icons;
}

int ListIcons(const std::vector<std::string>& fileNames) {
    int status = kExitOk;
    for (const std::string& fileName : fileNames) {
        if (!FileExists(fileName)) {
            ReportError(fileName, toolkit::errFileNotFound);
            status = kExitFailure;
            continue;
        }
        const std::vector<std::string> icons = DescribeIcons(fileName);
        std::cout << fileName << ": " << icons.size() << (icons.size() == 1 ? " icon" : " icons")
                  << "\n";
        for (std::size_t index = 0; index < icons.size(); ++index) {
            std::cout << "  icon " << index << ": " << icons[index] << "\n";
        }
    }
    return status;
}

int SaveIcon(const std::string& fileName, std::int32_t index, const std::string& outName) {
    if (!FileExists(fileName)) {
        ReportError(fileName, toolkit::errFileNotFound);
        return kExitFailure;
    }
    const platform::picture::IPictureDisp picture =
        MPictureTool::PictureDaIcona(platform::ExtractIconA(0, fileName, index));
    if (!picture) {
        ReportError(fileName, toolkit::errInvalidPropertyValue);
        return kExitFailure;
    }
    try {
        platform::picture::SavePicture(picture, outName);
    } catch (const toolkit::RuntimeError& error) {
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
