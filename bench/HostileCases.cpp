#include "bench/HostileCases.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "bench/ChildRun.h"
#include "bench/OffscreenWindow.h"
#include "tests/support/IconFixtures.h"

namespace bench {

namespace {

constexpr const char* kChildVariable = "QUORVANE_BENCH_HOSTILE_CHILD";
constexpr double kMegabyte = 1024.0 * 1024.0;
constexpr double kWindowTarget = 64 * kMegabyte;
constexpr double kListTimeTarget = 2.0;
constexpr double kListMemoryTarget = 128 * kMegabyte;

double PeakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024;
}

}  // namespace

bool RunHostileChildIfAsked() {
    const char* directory = std::getenv(kChildVariable);
    if (directory == nullptr) {
        return false;
    }
    OffscreenWindow window;
    window.OpenDirectory(directory);
    const double before = PeakResidentBytes();
    window.PressAggiorna();
    const double growth = PeakResidentBytes() - before;
    if (window.IconsListed() == 0) {
        throw std::runtime_error("the window loaded no icon of the hostile file");
    }
    std::printf("%.0f %zu\n", growth, window.IconsListed());
    return true;
}

std::vector<Row> MeasureHostileFiles(const std::string& scratch) {
    const std::string windowDirectory = scratch + "/hostile-window";
    std::filesystem::create_directories(windowDirectory);
    fixtures::WriteFile(windowDirectory + "/groups2000.dll",
                        fixtures::BuildRepeatedGroupPe(2000, 246));
    const std::string listFile = scratch + "/groups65535.dll";
    fixtures::WriteFile(listFile, fixtures::BuildRepeatedGroupPe(65535, 246));
    const std::string outFile = scratch + "/hostile-out.txt";

    ::setenv(kChildVariable, windowDirectory.c_str(), 1);
    const ChildRun load = RunChild({"/proc/self/exe"}, outFile);
    ::unsetenv(kChildVariable);
    char* rest = nullptr;
    const double growth = std::strtod(load.out.c_str(), &rest);
    const long iconsListed = std::strtol(rest, nullptr, 10);
    const ChildRun list = RunChild({QUORVANE_ICONS_TOOL, "list", listFile}, outFile);

    char text[64];
    std::vector<Row> rows;
    std::snprintf(text, sizeof text, "%.1f MB", growth / kMegabyte);
    rows.push_back(TargetRow("Hostile: window press of \"Aggiorna\", peak RSS growth",
                             "2,000 groups naming one group of 246 x one image", growth,
                             kWindowTarget, text, "64 MB"));
    rows.back().note += "; " + std::to_string(iconsListed) + " icons listed";
    std::snprintf(text, sizeof text, "%.0f ms", list.seconds * 1000);
    rows.push_back(TargetRow("Hostile: quorvane-icons list, whole process",
                             "65,535 groups naming one group of 246 x one image", list.seconds,
                             kListTimeTarget, text, "2 s"));
    std::snprintf(text, sizeof text, "%.1f MB", list.peakResident / kMegabyte);
    rows.push_back(TargetRow("Hostile: quorvane-icons list, peak RSS", "the same file",
                             list.peakResident, kListMemoryTarget, text, "128 MB"));
    return rows;
}

}  // namespace bench
