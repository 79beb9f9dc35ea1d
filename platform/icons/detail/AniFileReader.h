#pragma once

#include <memory>
#include <string>

#include "platform/icons/ByteSource.h"
#include "platform/icons/GroupTable.h"

// An animated cursor file (.ani: a RIFF "ACON" file) read as one group of one image, the whole
// file.
namespace platform::icons {

// Where an animated resource lying at `range` is whole: it starts with "RIFF", a size and "ACON",
// and the size announces no more bytes than the range holds; a range too large to read is given
// back as it is (the caller refuses it). The reason, naming the resource `what`, otherwise.
ReadResult<ByteRange> CheckAnimatedCursor(const ByteSource& source, const ByteRange& range,
                                          const std::string& what);

// The file as one group (index 0) of `kind` whose one image is every byte of the file. The reason
// unless it starts with "RIFF", a size, and "ACON"; its image is refused (CheckAnimatedCursor) when
// the RIFF chunk announces more than the file holds.
ReadResult<std::unique_ptr<GroupTable>> OpenAniFileGroups(const ByteSource& source,
                                                          const format::ResourceKind& kind);

}  // namespace platform::icons
