#pragma once

#include <string>
#include <vector>

// The tool's `list` command.
namespace tool {

// Writes each file's icons to standard output, described from its directories: as text ("FILE: N
// icons", then one line per icon; for a file without icons the reason after the count) or, with
// `json`, one JSON object per line and file. A file that does not exist, or that cannot be
// described for want of memory, is reported on standard error and the others are still listed.
// The exit status: kExitOk, or kExitFailure when some file was reported.
int ListIcons(const std::vector<std::string>& fileNames, bool json);

}  // namespace tool
