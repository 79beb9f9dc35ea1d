// Lists the icon groups of a file with libquorvane, as `quorvane-icons list FILE` does:
//
//   app.exe: 2 icons
//     icon 0: 16x16 8bpp, 32x32 32bpp, 256x256 32bpp png
//     icon 1: 32x32 32bpp
//
// Build it against an installed libquorvane:
//   g++ -std=c++20 list_icons.cpp $(pkg-config --cflags --libs quorvane) -o list_icons
#include <quorvane/File.h>

#include <iostream>
#include <string>
#include <vector>

namespace {

// "32x32 8bpp", "256x256 32bpp png", "32x32 1bpp hotspot 7,18", "ani 9216 bytes".
std::string Describe(const quorvane::Image& image) {
    if (image.format == quorvane::ImageFormat::Ani) {
        return "ani " + std::to_string(image.byteCount) + " bytes";
    }
    std::string text = std::to_string(image.width) + "x" + std::to_string(image.height) + " " +
                       std::to_string(image.depth) + "bpp";
    if (image.format == quorvane::ImageFormat::Png) {
        text += " png";
    }
    if (image.hotspot) {
        text +=
            " hotspot " + std::to_string(image.hotspot->x) + "," + std::to_string(image.hotspot->y);
    }
    return text;
}

// The images of a group, a run of images that read alike given once with its count.
std::string Describe(const std::vector<quorvane::Image>& images) {
    std::string text;
    for (std::size_t i = 0; i < images.size();) {
        const std::string image = Describe(images[i]);
        std::size_t run = 1;
        while (i + run < images.size() && Describe(images[i + run]) == image) {
            ++run;
        }
        text += (text.empty() ? "" : ", ") + image + (run > 1 ? " x" + std::to_string(run) : "");
        i += run;
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: list_icons FILE\n";
        return 2;
    }
    const std::string path = argv[1];
    const quorvane::Result<quorvane::File> file = quorvane::File::Open(path);
    if (!file.ok()) {
        std::cerr << path << ": " << file.error() << "\n";
        return 1;
    }
    const std::vector<quorvane::Group>& groups = file.value().Groups();
    std::cout << path << ": " << groups.size() << (groups.size() == 1 ? " icon" : " icons");
    if (!file.value().IconsIn().empty()) {
        std::cout << " (in " << file.value().IconsIn() << ")";
    }
    std::cout << "\n";
    for (const quorvane::Group& group : groups) {
        std::cout << "  icon " << group.index << ": ";
        if (group.sameAs) {
            std::cout << "the same group as icon " << *group.sameAs << "\n";
        } else if (!group.problem.empty()) {
            std::cout << "unreadable: " << group.problem << "\n";
        } else {
            std::cout << Describe(group.images) << "\n";
        }
    }
    return 0;
}
