#pragma once

#include <string>
#include <vector>

#include "platform/format/ResourceKinds.h"

// The tool's `list` command.
namespace tool {

// Writes each file's icons to standard output, described from its directories: as text ("FILE: N
// icons", then one line per icon; for a file without icons the reason after the count) or, with
// `json`, one JSON object per line and file. A file that does not exist, or that cannot be
// described for want of memory, is reported on standard error and the others are still listed.
// The exit status: kExitOk, or kExitFailure when some file was reported. Each image is described by
// its own header (size, depth), what its group claims after it where that differs, and a
// cursor's hotspot; `kind` says which groups are listed (icons unless told).
int ListIcons(const std::vector<std::string>& fileNames, bool json,
              const platform::format::ResourceKind& kind = platform::format::kIconResources);

}  // namespace tool
