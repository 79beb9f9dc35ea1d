#pragma once

#include <string>
#include <vector>

#include "bench/Table.h"

// The scan and the load on generated inputs of growing size (10,000 / 20,000 / 40,000 files and
// 1,250 / 2,500 / 5,000 icons), so the table shows how each grows.
namespace bench {

// Writes the inputs under `scratch` (an existing directory), one size at a time, and measures them:
// directories files-10000, ... and files icons-1250.dll, .... They are removed again unless `keep`.
std::vector<Row> MeasureScale(const std::string& scratch, int reps, bool keep);

}  // namespace bench
