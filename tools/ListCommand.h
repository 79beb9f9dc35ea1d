#pragma once

#include "tools/ToolCommand.h"

// The tool's `list` command.
namespace tool {

// Writes the groups of each file the command names (its directories walked, see FileWalk.h) to
// standard output, in walk order whatever the number of jobs, described from its directories: as
// text ("FILE: N icons", then one line per icon; for a file without icons the reason after the
// count) or, with command.json, one JSON object per line and file. Each image is described by its
// own header (size, depth), what its group claims after it where that differs, and a cursor's
// hotspot; command.resourceKind says which groups are listed. A file that does not exist, or that
// cannot be described for want of memory, is reported on standard error and the others are still
// listed. The exit status: kExitOk, or kExitFailure when some file was reported.
int ListIcons(const ToolCommand& command);

}  // namespace tool
