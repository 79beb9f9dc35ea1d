#pragma once

#include <string>
#include <vector>

#include "bench/Table.h"

// The two whole actions through a real window on the offscreen platform.
namespace bench {

// A press of "Aggiorna" on the directory (scan, then the first file listed loaded twice) and a
// click on the file at `largestPath` (one of the directory's files), each until the large preview
// has been drawn. Floors: the scan floor plus twice the load floor of the first file listed, and
// the load floor of the largest file.
std::vector<Row> MeasureWindowActions(const std::string& directory, const std::string& largestPath,
                                      int reps);

}  // namespace bench
