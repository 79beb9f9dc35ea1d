#include "bench/WindowCases.h"

#include <filesystem>

#include "bench/Corpus.h"
#include "bench/Floors.h"
#include "bench/LoadedFile.h"
#include "bench/OffscreenWindow.h"
#include "bench/Stats.h"

namespace bench {

namespace {

std::string MessagesNote(const OffscreenWindow& window) {
    return "message boxes shown: " + std::to_string(window.MessagesShown());
}

Row MeasureAggiorna(OffscreenWindow& window, const std::string& directory, int reps) {
    const std::vector<std::string> paths = ListMatchingFiles(directory);
    window.ForgetScan();
    window.PressAggiorna();
    const LoadedFile first = InspectLoad(directory + "/" + window.FirstFileListed());
    const Paired times = MedianPaired(
        reps, [&] { window.PressAggiorna(); },
        [&] {
            ScanFloor(paths);
            LoadFloor(directory + "/" + first.name, first.extents);
            LoadFloor(directory + "/" + first.name, first.extents);
        },
        [&] { window.ForgetScan(); });
    return {"Whole action: press Aggiorna (offscreen window)",
            std::to_string(paths.size()) + " files; " + std::to_string(window.FilesListed()) +
                " listed; loads " + Describe(first) + ", twice",
            Milliseconds(times.measured),
            Milliseconds(times.floor) + " (scan floor + 2 load floors)",
            times.Ratio(),
            std::nullopt,
            "until the large preview is drawn; " + MessagesNote(window)};
}

Row MeasureClick(OffscreenWindow& window, const std::string& largestPath, int reps) {
    const LoadedFile largest = InspectLoad(largestPath);
    const Paired times = MedianPaired(
        reps, [&] { window.ClickFile(largest.name); },
        [&] { LoadFloor(largestPath, largest.extents); });
    return {"Whole action: click on the largest file (offscreen window)",
            Describe(largest),
            Milliseconds(times.measured),
            Milliseconds(times.floor) + " (load floor)",
            times.Ratio(),
            std::nullopt,
            std::to_string(window.IconsListed()) + " icons listed, until the large preview is " +
                "drawn; " + MessagesNote(window)};
}

}  // namespace

std::vector<Row> MeasureWindowActions(const std::string& directory, const std::string& largestPath,
                                      int reps) {
    OffscreenWindow window;
    window.OpenDirectory(directory);
    Row aggiorna = MeasureAggiorna(window, directory, reps);
    Row click = MeasureClick(window, largestPath, reps);
    return {std::move(aggiorna), std::move(click)};
}

}  // namespace bench
