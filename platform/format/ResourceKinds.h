#pragma once

#include <array>
#include <cstdint>

// The kinds of resource the icon readers take out of a file: where a PE and an NE executable keep
// them, the directory type of their groups and standalone files, and the words a reason names
// them by. One reader serves every kind; only these values differ.
namespace platform::format {

struct ResourceKind {
    // The PE resource type of the group directories; 0 for a kind whose resources stand alone
    // (each one whole, no group directory naming it).
    std::uint16_t peGroupType = 0;
    // The PE resource types of the items a group entry names by ID; for a kind that stands alone,
    // the types of the resources themselves, taken one type after the other (0: no second type).
    std::array<std::uint16_t, 2> peItemTypes{};
    // The NE resource types of the group directories and of their items; 0 when NE files hold none.
    std::uint16_t neGroupType = 0;
    std::uint16_t neItemType = 0;
    // The type field of a group directory and of a standalone file's header (1 icon, 2 cursor);
    // 0 for a kind without directories.
    std::uint16_t directoryType = 0;
    // Whether each item of an executable starts with its hotspot (two WORDs, x then y) before
    // the image.
    bool itemsStartWithHotspot = false;

    // The words the reasons use: "icon", "icons", "icon group", "icon groups (RT_GROUP_ICON)",
    // "icon resource", "icon resource (RT_ICON)", "icons (RT_ICON)", "an icon file".
    const char* noun = "";
    const char* plural = "";
    const char* groupNoun = "";
    const char* groupsWord = "";
    const char* itemNoun = "";
    const char* itemWord = "";
    const char* itemsWord = "";
    const char* fileWord = "";

    // Whether the kind's resources stand alone instead of being named by group directories.
    constexpr bool StandsAlone() const { return peGroupType == 0; }
};

// Icons: RT_GROUP_ICON (14) naming RT_ICON (3) items; NE 0x800E / 0x8003; .ico files (type 1).
inline constexpr ResourceKind kIconResources{.peGroupType = 14,
                                             .peItemTypes = {3, 0},
                                             .neGroupType = 0x800E,
                                             .neItemType = 0x8003,
                                             .directoryType = 1,
                                             .itemsStartWithHotspot = false,
                                             .noun = "icon",
                                             .plural = "icons",
                                             .groupNoun = "icon group",
                                             .groupsWord = "icon groups (RT_GROUP_ICON)",
                                             .itemNoun = "icon resource",
                                             .itemWord = "icon resource (RT_ICON)",
                                             .itemsWord = "icons (RT_ICON)",
                                             .fileWord = "an icon file"};

// Cursors: RT_GROUP_CURSOR (12) naming RT_CURSOR (1) items, each starting with its hotspot; NE
// 0x800C / 0x8001; .cur files (type 2).
inline constexpr ResourceKind kCursorResources{.peGroupType = 12,
                                               .peItemTypes = {1, 0},
                                               .neGroupType = 0x800C,
                                               .neItemType = 0x8001,
                                               .directoryType = 2,
                                               .itemsStartWithHotspot = true,
                                               .noun = "cursor",
                                               .plural = "cursors",
                                               .groupNoun = "cursor group",
                                               .groupsWord = "cursor groups (RT_GROUP_CURSOR)",
                                               .itemNoun = "cursor resource",
                                               .itemWord = "cursor resource (RT_CURSOR)",
                                               .itemsWord = "cursors (RT_CURSOR)",
                                               .fileWord = "a cursor file"};

// Animated cursors and icons: RT_ANICURSOR (21) then RT_ANIICON (22) resources, each a whole RIFF
// "ACON" file standing alone (a "group" of one image); .ani files. NE files hold none.
inline constexpr ResourceKind kAnimatedResources{
    .peGroupType = 0,
    .peItemTypes = {21, 22},
    .neGroupType = 0,
    .neItemType = 0,
    .directoryType = 0,
    .itemsStartWithHotspot = false,
    .noun = "animated resource",
    .plural = "animated resources",
    .groupNoun = "animated resource",
    .groupsWord = "animated cursors (RT_ANICURSOR) or animated icons (RT_ANIICON)",
    .itemNoun = "animated resource",
    .itemWord = "animated resource (RT_ANICURSOR, RT_ANIICON)",
    .itemsWord = "animated cursors (RT_ANICURSOR) or animated icons (RT_ANIICON)",
    .fileWord = "an animated cursor file (RIFF ACON)"};

}  // namespace platform::format
