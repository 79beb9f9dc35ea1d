#include "bench/Cases.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "bench/CoreActions.h"
#include "bench/Corpus.h"
#include "bench/Floors.h"
#include "bench/Heap.h"
#include "bench/LoadedFile.h"
#include "bench/Stats.h"

namespace bench {

namespace {

std::string Micros(double seconds, std::size_t count, const char* unit) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f us per %s", count ? seconds * 1e6 / count : 0.0, unit);
    return text;
}

// The heap the listed names hold once the scan is over (every probe handle is given back).
double HeapHeldByScan(const std::string& directory, int reps) {
    std::vector<double> growths;
    for (int i = 0; i < reps; ++i) {
        const std::size_t before = HeapInUse();
        const std::vector<std::string> paths = ListMatchingFiles(directory);
        ProbeIconZero(paths);
        growths.push_back(static_cast<double>(HeapInUse()) - static_cast<double>(before));
    }
    return Median(std::move(growths));
}

}  // namespace

Row MeasureScan(const std::string& action, const std::string& directory, int reps,
                std::optional<double> limit) {
    std::vector<std::string> paths;
    const double listing = MedianSeconds(reps, [&] { paths = ListMatchingFiles(directory); });
    std::size_t withIcons = 0;
    const Paired times = MedianPaired(
        reps, [&] { withIcons = ProbeIconZero(paths); }, [&] { ScanFloor(paths); });
    const double held = HeapHeldByScan(directory, std::min(reps, 3));
    Row row{action,
            std::to_string(paths.size()) + " files listed, " + std::to_string(withIcons) +
                " with icons",
            Milliseconds(times.measured),
            Milliseconds(times.floor),
            times.Ratio(),
            limit,
            Micros(times.measured, paths.size(), "file") + "; listing " + Milliseconds(listing) +
                "; heap held by the names: " + Bytes(held)};
    row.value = times.measured;
    row.units = static_cast<double>(paths.size());
    return row;
}

Row MeasureLoad(const std::string& action, const std::string& path, int reps,
                std::optional<double> limit) {
    const LoadedFile file = InspectLoad(path);
    const Paired times = MedianPaired(
        reps, [&] { LoadAllIcons(path); }, [&] { LoadFloor(path, file.extents); });
    Row row{action,
            Describe(file),
            Milliseconds(times.measured),
            Milliseconds(times.floor),
            times.Ratio(),
            limit,
            std::to_string(file.icons + 1) + " ExtractIconA calls; " +
                Micros(times.measured, file.icons, "icon")};
    row.value = times.measured;
    row.units = static_cast<double>(file.icons);
    return row;
}

Row MeasureLoadMemory(const std::string& action, const std::string& path, int reps,
                      std::optional<double> limit) {
    const LoadedFile file = InspectLoad(path);
    std::vector<double> growths;
    for (int i = 0; i < reps; ++i) {
        const std::size_t before = HeapInUse();
        const auto pictures = LoadAllIcons(path);
        growths.push_back(static_cast<double>(HeapInUse()) - static_cast<double>(before));
    }
    const double held = Median(std::move(growths));
    const double raw = static_cast<double>(file.imageBytes);
    Row row{action,
            Describe(file),
            Bytes(held),
            Bytes(raw) + " (image bytes)",
            raw > 0 ? std::optional<double>(held / raw) : std::nullopt,
            limit,
            "heap growth with the pictures held (mallinfo2 uordblks + hblkhd)"};
    row.value = held;
    row.units = static_cast<double>(file.icons);
    return row;
}

}  // namespace bench
