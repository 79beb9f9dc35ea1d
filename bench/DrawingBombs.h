#pragma once

#include <string>
#include <vector>

#include "bench/Table.h"

// Files made to be slow or large to draw (text-chunk bombs, a broken image named by every entry, a
// truncated directory of 65,535 entries, a 64 MiB image): `quorvane-icons thumbnail` and
// `save --png` on each, whole processes, each drawn or refused in at most 1 s and 64 MiB.
namespace bench {

// Two rows per file and command: time and peak RSS of the whole process.
std::vector<Row> MeasureDrawingBombs(const std::string& scratch);

}  // namespace bench
