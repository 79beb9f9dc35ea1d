// A command-line companion of check_real_files.sh: reads real executables through the service so
// that its answers can be compared with an independent tool, and times the calls.
//
//   icon_check_tool count FILE            number of icons (indexes 0.. until the first 0)
//   icon_check_tool compare FILE INDEX ICO  the icon at INDEX against an .ico holding the same
//                                          group (same images, same bytes, same entries)
//   icon_check_tool time-scan FILE...     ExtractIconA(index 0) over every file, timed
//   icon_check_tool time-load FILE        the N + 1 calls a load makes, timed
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/icons/IconReader.h"
#include "platform/icons/IconService.h"

namespace {

using platform::icons::DestroyIcon;
using platform::icons::ExtractIconA;
using platform::icons::IconGroup;
using platform::icons::IconGroupOf;

int CountIcons(const std::string& path) {
    int count = 0;
    while (const auto icon = ExtractIconA(0, path, count)) {
        DestroyIcon(icon);
        ++count;
    }
    return count;
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Compares what is stored in both: an .ico rebuilt from a group keeps every field but the id.
bool SameImages(const IconGroup& ours, const IconGroup& theirs) {
    if (ours.images.size() != theirs.images.size()) {
        std::printf("images: %zu here, %zu in the .ico\n", ours.images.size(),
                    theirs.images.size());
        return false;
    }
    bool same = true;
    for (std::size_t i = 0; i < ours.images.size(); ++i) {
        const auto& a = ours.images[i];
        const auto& b = theirs.images[i];
        if (a.bytes != b.bytes || a.entry.width != b.entry.width ||
            a.entry.height != b.entry.height || a.entry.bitCount != b.entry.bitCount ||
            a.entry.colorCount != b.entry.colorCount || a.entry.planes != b.entry.planes) {
            std::printf("image %zu differs (%zu bytes here, %zu in the .ico)\n", i, a.bytes.size(),
                        b.bytes.size());
            same = false;
        }
    }
    return same;
}

int Compare(const std::string& path, int index, const std::string& icoPath) {
    const auto icon = ExtractIconA(0, path, index);
    const auto ico = ReadWholeFile(icoPath);
    const auto theirs = platform::icons::ReadIconGroup(ico, 0);
    if (!icon || !theirs) {
        std::printf("%s index %d: %s\n", path.c_str(), index,
                    icon ? "the .ico cannot be read" : "no icon");
        DestroyIcon(icon);
        return 1;
    }
    const bool same = SameImages(*IconGroupOf(icon), *theirs);
    std::printf("%zu\n", IconGroupOf(icon)->images.size());
    DestroyIcon(icon);
    return same ? 0 : 1;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int TimeScan(const std::vector<std::string>& paths) {
    const auto start = std::chrono::steady_clock::now();
    int withIcon = 0;
    for (const std::string& path : paths) {
        if (const auto icon = ExtractIconA(0, path, 0)) {
            ++withIcon;
            DestroyIcon(icon);
        }
    }
    std::printf("%zu files, %d with an icon, %.3f ms\n", paths.size(), withIcon,
                SecondsSince(start) * 1000);
    return 0;
}

int TimeLoad(const std::string& path) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<platform::icons::HICON> icons;
    for (int index = 0;; ++index) {
        const auto icon = ExtractIconA(0, path, index);
        if (!icon) {
            break;
        }
        icons.push_back(icon);
    }
    const double seconds = SecondsSince(start);
    std::size_t images = 0;
    for (const auto icon : icons) {
        images += IconGroupOf(icon)->images.size();
        DestroyIcon(icon);
    }
    std::printf("%zu icons (%zu images), %zu calls, %.3f ms\n", icons.size(), images,
                icons.size() + 1, seconds * 1000);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "count") {
        std::printf("%d\n", CountIcons(args[1]));
        return 0;
    }
    if (args.size() == 4 && args[0] == "compare") {
        return Compare(args[1], std::stoi(args[2]), args[3]);
    }
    if (args.size() >= 1 && args[0] == "time-scan") {
        return TimeScan({args.begin() + 1, args.end()});
    }
    if (args.size() == 2 && args[0] == "time-load") {
        return TimeLoad(args[1]);
    }
    std::fprintf(stderr, "usage: icon_check_tool count|compare|time-scan|time-load ...\n");
    return 2;
}
