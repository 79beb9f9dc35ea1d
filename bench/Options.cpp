#include "bench/Options.h"

#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace bench {

namespace {

constexpr const char* kUsage =
    "usage: quorvane_bench [--reps N] [--scale-reps N] [--only CASE,...]\n"
    "                      [--scratch DIR [--keep]] [X86_64_DIR [I386_DIR]]\n"
    "  X86_64_DIR  Wine's x86_64-windows directory (bench/fetch_corpus.sh prints it)\n"
    "  I386_DIR    Wine's i386-windows directory: adds a scan of it\n"
    "  --reps N        runs per case on the real files (default 15), medians reported\n"
    "  --scale-reps N  runs per case on the generated inputs (default 3)\n"
    "  --only CASES    any of scan,load,memory,window,extract,scale,hostile,bombs (default: all)\n"
    "  --scratch DIR   where the generated inputs are written (default: a temporary directory)\n"
    "  --keep          leave the generated inputs in the --scratch directory\n";

const std::set<std::string> kCases = {"scan",    "load",  "memory",  "window",
                                      "extract", "scale", "hostile", "bombs"};

[[noreturn]] void Usage(const std::string& problem) {
    throw std::invalid_argument(problem + "\n" + kUsage);
}

int Positive(const std::string& text) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 1 || value > 1000) {
        Usage("not a count from 1 to 1000: " + text);
    }
    return static_cast<int>(value);
}

std::set<std::string> CaseList(const std::string& text) {
    std::set<std::string> cases;
    std::stringstream list(text);
    for (std::string name; std::getline(list, name, ',');) {
        if (!kCases.contains(name)) {
            Usage("no such case: " + name);
        }
        cases.insert(name);
    }
    return cases;
}

std::string CommandLine(int argc, char** argv) {
    std::string command;
    for (int i = 0; i < argc; ++i) {
        if (i > 0) {
            command += ' ';
        }
        command += argv[i];
    }
    return command;
}

}  // namespace

std::string DefaultX86Directory() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    const std::string base = cache && *cache ? cache : std::string(home ? home : ".") + "/.cache";
    return base + "/quorvane-bench/amd64/usr/lib/x86_64-linux-gnu/wine/x86_64-windows";
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    options.command = CommandLine(argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--reps" && hasValue) {
            options.reps = Positive(argv[++i]);
        } else if (argument == "--scale-reps" && hasValue) {
            options.scaleReps = Positive(argv[++i]);
        } else if (argument == "--only" && hasValue) {
            options.only = CaseList(argv[++i]);
        } else if (argument == "--scratch" && hasValue) {
            options.scratch = argv[++i];
        } else if (argument == "--keep") {
            options.keepScratch = true;
        } else if (argument.starts_with("-")) {
            Usage("unknown option or missing value: " + argument);
        } else if (options.x86Directory.empty()) {
            options.x86Directory = argument;
        } else if (options.i386Directory.empty()) {
            options.i386Directory = argument;
        } else {
            Usage("too many directories: " + argument);
        }
    }
    if (options.keepScratch && options.scratch.empty()) {
        Usage("--keep needs --scratch");
    }
    if (options.x86Directory.empty()) {
        options.x86Directory = DefaultX86Directory();
    }
    return options;
}

}  // namespace bench
