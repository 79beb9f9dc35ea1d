#pragma once

#include <string>

#include "bench/Table.h"

// quorvane-icons extract of every icon group of one file, as a whole process, against the bare
// work any tool doing the same must do.
namespace bench {

// "Extract-all (NAME)": `quorvane-icons extract PATH -o DIR` into a new directory each run, against
// its floor: a process that does nothing, started and waited for, then one file per group created
// in a new directory, its .ico directory's worth of bytes and the group's image bytes (read from
// PATH, one read per image) written to it, closed and renamed to its final name. Medians of `reps`
// runs, alternating with the floor; the target is `limit` times the floor.
Row MeasureExtractAll(const std::string& path, const std::string& scratch, int reps, double limit);

}  // namespace bench
