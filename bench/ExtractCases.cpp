#include "bench/ExtractCases.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "bench/ChildRun.h"
#include "bench/CoreActions.h"
#include "bench/Floors.h"
#include "bench/LoadedFile.h"
#include "bench/Stats.h"

namespace bench {

namespace {

constexpr std::size_t kIcoHeader = 6;
constexpr std::size_t kIcoEntry = 16;

// What one extracted .ico holds: its directory's size and where its images lie in the source.
struct GroupFile {
    std::size_t directoryBytes = 0;
    std::vector<Extent> images;
};

std::vector<GroupFile> GroupFilesOf(const std::string& path) {
    const auto pictures = LoadAllIcons(path);
    const auto resources = IconResourceExtents(path);
    std::vector<GroupFile> files;
    for (const auto& picture : pictures) {
        GroupFile file;
        file.images = ExtentsHeldBy({picture}, resources);
        file.directoryBytes = kIcoHeader + kIcoEntry * file.images.size();
        files.push_back(std::move(file));
    }
    return files;
}

bool WriteAll(int descriptor, const std::uint8_t* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(descriptor, bytes, size);
        if (written <= 0) {
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// The floor's file work: each group's file made in `directory` as the tool makes it (a temporary
// name, renamed once written).
void WriteGroupFiles(const std::string& source, const std::vector<GroupFile>& files,
                     const std::string& directory) {
    std::filesystem::create_directory(directory);
    const int input = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (input < 0) {
        throw std::runtime_error("cannot open " + source);
    }
    std::vector<std::uint8_t> buffer;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string name = directory + "/group-" + std::to_string(i) + ".ico";
        const std::string temporary = name + ".tmp";
        const int output = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        buffer.assign(files[i].directoryBytes, 0);
        bool ok = output >= 0 && WriteAll(output, buffer.data(), buffer.size());
        for (const Extent& image : files[i].images) {
            buffer.resize(image.size);
            ok = ok &&
                 ::pread(input, buffer.data(), image.size, static_cast<off_t>(image.offset)) ==
                     static_cast<ssize_t>(image.size) &&
                 WriteAll(output, buffer.data(), buffer.size());
        }
        ok = output >= 0 && ::close(output) == 0 && ok &&
             ::rename(temporary.c_str(), name.c_str()) == 0;
        if (!ok) {
            throw std::runtime_error("the floor cannot write " + name);
        }
    }
    ::close(input);
}

}  // namespace

Row MeasureExtractAll(const std::string& path, const std::string& scratch, int reps, double limit) {
    const LoadedFile file = InspectLoad(path);
    const std::vector<GroupFile> files = GroupFilesOf(path);
    const std::string root = scratch + "/extract-all";
    const std::string outFile = scratch + "/extract-all.out";
    std::filesystem::create_directories(root);
    int run = 0;
    const Paired times = MedianPaired(
        reps,
        [&] {
            const std::string out = root + "/tool-" + std::to_string(run++);
            RunChild({QUORVANE_ICONS_TOOL, "extract", path, "-o", out}, outFile);
        },
        [&] {
            RunChild({"/bin/true"}, outFile);
            WriteGroupFiles(path, files, root + "/floor-" + std::to_string(run));
        });
    const std::size_t written = static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(root + "/tool-0"),
                      std::filesystem::directory_iterator()));
    std::filesystem::remove_all(root);
    Row row{"Extract-all (" + file.name + ")",
            Describe(file) + "; " + std::to_string(written) + " files written",
            Milliseconds(times.measured),
            Milliseconds(times.floor) + " (a process started + the files written)",
            times.Ratio(),
            limit,
            "quorvane-icons extract, whole process"};
    row.value = times.measured;
    return row;
}

}  // namespace bench
