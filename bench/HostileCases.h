#pragma once

#include <string>
#include <vector>

#include "bench/Table.h"

// Files that name a few bytes over and over (hostile, but a person may download one): how much
// memory the window holds to load one and how long the tool takes to list one, each measured in a
// process of its own so that its peak resident size is its own.
namespace bench {

// The rows: the window loading a 2,000-group file (peak RSS growth, target 64 MB) and
// `quorvane-icons list` of a 65,535-group file (time, target 2 s; peak RSS, target 128 MB).
std::vector<Row> MeasureHostileFiles(const std::string& scratch);

// When the process was started as the window-loading child of MeasureHostileFiles, does that
// work, prints the peak RSS growth in bytes and returns true; false otherwise.
bool RunHostileChildIfAsked();

}  // namespace bench
