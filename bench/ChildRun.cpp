#include "bench/ChildRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

extern char** environ;

namespace bench {

namespace {

// The last number in the file GNU time wrote (kilobytes); 0 when there is none.
double PeakKilobytesIn(const std::string& path) {
    double kilobytes = 0;
    if (FILE* file = std::fopen(path.c_str(), "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, file)) {
            char* end = nullptr;
            const double value = std::strtod(line, &end);
            kilobytes = end != line ? value : kilobytes;
        }
        std::fclose(file);
    }
    return kilobytes;
}

}  // namespace

ChildRun RunChild(const std::vector<std::string>& arguments, const std::string& outFile,
                  bool mustSucceed) {
    // GNU time runs the program as its own child and reports that child's peak RSS: a child of
    // this large process would carry this process's high-water mark past its exec.
    const std::string rssFile = outFile + ".rss";
    std::vector<std::string> timed = {"/usr/bin/time", "-f", "%M", "-o", rssFile};
    timed.insert(timed.end(), arguments.begin(), arguments.end());
    if (timed[5] == "/proc/self/exe") {
        timed[5] = std::filesystem::read_symlink("/proc/self/exe").string();  // this program
    }
    std::vector<char*> argv;
    for (const std::string& argument : timed) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int failed = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        throw std::runtime_error("cannot start " + arguments[0]);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        (mustSucceed && WEXITSTATUS(status) != 0)) {
        throw std::runtime_error(arguments[0] + " failed");
    }
    ChildRun run;
    run.exitCode = WEXITSTATUS(status);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakResident = PeakKilobytesIn(rssFile) * 1024;
    run.out = std::string(std::filesystem::file_size(outFile), '\0');
    if (FILE* file = std::fopen(outFile.c_str(), "rb")) {
        run.out.resize(std::fread(run.out.data(), 1, run.out.size(), file));
        std::fclose(file);
    }
    return run;
}

}  // namespace bench
