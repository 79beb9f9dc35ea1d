// quorvane_core_bench: the scan's probe and the load of the file with the most icons, as the bare
// calls the window makes (bench/CoreActions.h), in a program built for every backend, so that the
// Linux build and the Windows build under Wine are timed by the same code in the same minutes
// (bench/linux_vs_wine.py). Prints one line per row: its title, a tab, the median milliseconds.
//   quorvane_core_bench [--reps N] DIRECTORY...
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/CoreActions.h"
#include "bench/Corpus.h"
#include "bench/Stats.h"

namespace {

struct Options {
    int reps = 15;
    std::vector<std::string> directories;
};

Options ReadOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--reps" && i + 1 < argc) {
            options.reps = std::max(1, std::atoi(argv[++i]));
        } else {
            options.directories.push_back(argument);
        }
    }
    return options;
}

// The last name of a path, as the platform separates names (a trailing separator ignored).
std::string LastName(const std::string& path) {
    std::filesystem::path name(path);
    if (!name.has_filename()) {
        name = name.parent_path();
    }
    return name.filename().string();
}

void PrintRow(const std::string& title, double seconds) {
    std::printf("%s\t%.3f\n", title.c_str(), seconds * 1000);
    std::fflush(stdout);
}

void TimeDirectory(const std::string& directory, int reps) {
    const std::vector<std::string> files = bench::ListMatchingFiles(directory);
    const std::string tree = " (" + LastName(directory) + ")";
    PrintRow("scan core" + tree + ", " + std::to_string(files.size()) + " files",
             bench::MedianSeconds(reps, [&] { bench::ProbeIconZero(files); }));
    const std::string largest = bench::FileWithMostIcons(files);
    PrintRow("load core" + tree + ", " + LastName(largest),
             bench::MedianSeconds(reps, [&] { bench::LoadAllIcons(largest); }));
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ReadOptions(argc, argv);
    if (options.directories.empty()) {
        std::fprintf(stderr, "usage: quorvane_core_bench [--reps N] DIRECTORY...\n");
        return 2;
    }
    try {
        for (const std::string& directory : options.directories) {
            TimeDirectory(directory, options.reps);
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "quorvane_core_bench: %s\n", failure.what());
        return 1;
    }
    return 0;
}
