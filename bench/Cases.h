#pragma once

#include <optional>
#include <string>

#include "bench/Table.h"

// The measured cases, each giving one row of the table: the action's median time (or heap bytes)
// against its floor measured in the same run.
namespace bench {

// The scan's probe (ExtractIconA of icon 0 and DestroyIcon for every file listed) against the
// scan floor. The notes give the listing's time, the time per file and the heap the listed names
// hold.
Row MeasureScan(const std::string& action, const std::string& directory, int reps,
                std::optional<double> limit);

// Loading every icon of the file as pictures against reading their images' bytes once.
Row MeasureLoad(const std::string& action, const std::string& path, int reps,
                std::optional<double> limit);

// The heap the loaded pictures hold against the bytes of their images.
Row MeasureLoadMemory(const std::string& action, const std::string& path, int reps,
                      std::optional<double> limit);

}  // namespace bench
