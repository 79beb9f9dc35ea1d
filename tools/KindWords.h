#pragma once

#include <cstdint>
#include <string>

#include "platform/format/ResourceKinds.h"

// The words the tool's output names the groups of a resource kind by (icons, cursors, animated
// resources), in the user's language: each kind has its own messages, so that a catalog can
// translate each whole.
namespace tool {

// "3 icons", "1 cursor", "2 animated resources".
std::string CountedGroups(const platform::format::ResourceKind& kind, std::uint32_t count);

// "icon 3: TEXT", "cursor 3: TEXT", "animated resource 3: TEXT".
std::string GroupLine(const platform::format::ResourceKind& kind, std::int64_t index,
                      const std::string& text);

// "the same group as icon 2" (and as cursor 2, as animated resource 2).
std::string SameGroupAs(const platform::format::ResourceKind& kind, std::uint32_t index);

// "no icons: REASON" (no cursors, no animated resources).
std::string NoGroups(const platform::format::ResourceKind& kind, const std::string& reason);

}  // namespace tool
