#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/format/ResourceKinds.h"
#include "platform/icons/ByteSource.h"
#include "platform/icons/IconService.h"
#include "platform/icons/ReadResult.h"

// A file's groups of one kind of resource (icons, cursors, animated resources: see
// ResourceKinds.h) as its directories describe them, before any image is read. Each format (PE,
// NE, .ico/.cur, .ani) answers the same questions; reading a group's images and describing a
// file's groups are built on them once, for every kind.
namespace platform::icons {

// What a resource is called in its file: a number ("ID16") or a name of its own ("MAINICON"),
// and the language of the copy read; none of these for an .ico file.
struct ResourceName {
    std::optional<std::uint16_t> id;        // the resource's integer ID
    std::string name;                       // its string name (UTF-8) when it has one instead
    std::optional<std::uint16_t> language;  // the language ID of the copy read (PE only)

    // "ID16", the string name, or empty when the group has neither.
    std::string Label() const { return id ? "ID" + std::to_string(*id) : name; }
};

// One group's directory: where it lies in the file, its entries (fields filled, no bytes) and the
// group resource's name.
struct GroupRecord {
    ByteRange range;
    std::vector<IconImage> entries;
    ResourceName name;
    // Whether each image ImageOf places starts with its hotspot (two WORDs) before the image
    // itself: a cursor resource of an executable.
    bool hotspotInItems = false;
};

// The table of a file's groups: how many there are, each one's record (GroupRecord) and where each
// of its images lies; one group's images, once read, are an IconGroup.
class GroupTable {
public:
    virtual ~GroupTable() = default;

    // The kind of resource the groups are.
    virtual const format::ResourceKind& Kind() const = 0;

    // How many groups the file's group directory holds (a group may still fail to read).
    virtual std::uint32_t Count() const = 0;

    // The directory of the group at a zero-based index (below Count()); the reason when it cannot
    // be read or is not an icon group directory.
    virtual ReadResult<GroupRecord> Group(std::uint32_t index) = 0;

    // Where the image of entry `entry` of `group` lies in the file; the reason when the file has
    // no such image or it does not lie inside the file.
    virtual ReadResult<ByteRange> ImageOf(const GroupRecord& group, std::size_t entry) = 0;
};

// The groups of `kind` of a PE32, PE32+ or NE source, or a standalone file of the kind as one group
// (.ico for icons, .cur for cursors, a RIFF "ACON" file for animated resources); the reason when
// the source is none of these or its headers cannot be read. The source must outlive the result.
ReadResult<std::unique_ptr<GroupTable>> OpenIconGroups(
    const ByteSource& source, const format::ResourceKind& kind = format::kIconResources);

}  // namespace platform::icons
