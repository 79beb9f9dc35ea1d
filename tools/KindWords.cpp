#include "tools/KindWords.h"

#include "tools/Messages.h"

namespace tool {

namespace {

namespace format = platform::format;

enum class Kind { Icons, Cursors, Animated };

Kind KindOf(const format::ResourceKind& kind) {
    if (kind.StandsAlone()) {
        return Kind::Animated;
    }
    return kind.directoryType == format::kCursorResources.directoryType ? Kind::Cursors
                                                                        : Kind::Icons;
}

}  // namespace

std::string CountedGroups(const format::ResourceKind& kind, std::uint32_t count) {
    const char* text = nullptr;
    switch (KindOf(kind)) {
        case Kind::Icons:
            text = Q_PLURAL("%s icon", "%s icons", count);
            break;
        case Kind::Cursors:
            text = Q_PLURAL("%s cursor", "%s cursors", count);
            break;
        case Kind::Animated:
            text = Q_PLURAL("%s animated resource", "%s animated resources", count);
            break;
    }
    return Format(text, {std::to_string(count)});
}

std::string GroupLine(const format::ResourceKind& kind, std::int64_t index,
                      const std::string& text) {
    const char* const lines[] = {_("icon %s: %s"), _("cursor %s: %s"),
                                 _("animated resource %s: %s")};
    return Format(lines[static_cast<int>(KindOf(kind))], {std::to_string(index), text});
}

std::string SameGroupAs(const format::ResourceKind& kind, std::uint32_t index) {
    const char* const lines[] = {_("the same group as icon %s"), _("the same group as cursor %s"),
                                 _("the same group as animated resource %s")};
    return Format(lines[static_cast<int>(KindOf(kind))], {std::to_string(index)});
}

std::string NoGroups(const format::ResourceKind& kind, const std::string& reason) {
    const char* const lines[] = {_("no icons: %s"), _("no cursors: %s"),
                                 _("no animated resources: %s")};
    return Format(lines[static_cast<int>(KindOf(kind))], {reason});
}

}  // namespace tool
