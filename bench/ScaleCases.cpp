#include "bench/ScaleCases.h"

#include <cstdio>
#include <filesystem>

#include "bench/Cases.h"
#include "bench/ScaleCorpus.h"

namespace bench {

namespace {

struct ScaleStep {
    std::size_t files;
    std::size_t icons;
};

constexpr ScaleStep kSteps[] = {{10000, 1250}, {20000, 2500}, {40000, 5000}};

struct ScaleRows {
    std::vector<Row> scans, loads, memory;
};

void MeasureStep(const std::string& scratch, const ScaleStep& step, int reps, bool keep,
                 ScaleRows& rows) {
    const std::string directory = scratch + "/files-" + std::to_string(step.files);
    const std::string iconFile = scratch + "/icons-" + std::to_string(step.icons) + ".dll";
    std::filesystem::create_directory(directory);
    WriteScanDirectory(directory, step.files);
    WriteManyIconFile(iconFile, step.icons);

    const std::string files = std::to_string(step.files) + " files";
    const std::string icons = std::to_string(step.icons) + " icons";
    rows.scans.push_back(MeasureScan("Scale: scan, " + files, directory, reps, std::nullopt));
    rows.loads.push_back(MeasureLoad("Scale: load, " + icons, iconFile, reps, std::nullopt));
    rows.memory.push_back(MeasureLoadMemory("Scale: memory, " + icons, iconFile, reps, 1.5));

    if (!keep) {
        std::filesystem::remove_all(directory);
        std::filesystem::remove(iconFile);
    }
}

// A figure that grows by up to this much more than its input still counts as linear (the noise of
// a shared machine, and the fixed costs that do not shrink with the input).
constexpr double kLinearSlack = 1.25;

// Adds to each row after the first how much its figure grew against the row before it, next to how
// much its input grew, and whether that is linear.
void NoteGrowth(std::vector<Row>& rows, const char* unit, const char* figure) {
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const Row& before = rows[i - 1];
        Row& row = rows[i];
        if (before.value <= 0 || before.units <= 0) {
            continue;
        }
        const double inputGrowth = row.units / before.units;
        const double figureGrowth = row.value / before.value;
        char text[128];
        std::snprintf(text, sizeof text, "; x%.2f the %s, x%.2f the %s", inputGrowth, unit,
                      figureGrowth, figure);
        row.note += text;
        row.linear = figureGrowth <= inputGrowth * kLinearSlack;
    }
}

}  // namespace

std::vector<Row> MeasureScale(const std::string& scratch, int reps, bool keep) {
    ScaleRows rows;
    for (const ScaleStep& step : kSteps) {
        MeasureStep(scratch, step, reps, keep, rows);
    }
    NoteGrowth(rows.scans, "files listed", "time");
    NoteGrowth(rows.loads, "icons", "time");
    NoteGrowth(rows.memory, "icons", "heap");
    std::vector<Row> all = std::move(rows.scans);
    all.insert(all.end(), rows.loads.begin(), rows.loads.end());
    all.insert(all.end(), rows.memory.begin(), rows.memory.end());
    return all;
}

}  // namespace bench
