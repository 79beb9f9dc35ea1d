#pragma once

#include <memory>

#include "platform/icons/ByteSource.h"
#include "platform/icons/GroupTable.h"

// An .ico or .cur file read as one group holding all of its images.
namespace platform::icons {

// The file as one group (index 0) of `kind` holding every image whose data lies inside the file
// and starts like a DIB or a PNG; in a .cur file (type 2) each entry's hotspot stands where an
// .ico entry has planes and bit count, which are then 0. The reason unless the header is the
// kind's (reserved 0, type: the kind's directory type, count > 0).
ReadResult<std::unique_ptr<GroupTable>> OpenIcoIconGroups(const ByteSource& source,
                                                          const format::ResourceKind& kind);

}  // namespace platform::icons
