#include "tools/ImageFilter.h"

#include <algorithm>
#include <string>

#include "platform/format/ImageHeader.h"
#include "tools/Messages.h"
#include "tools/ToolReport.h"
#include "tools/ToolStreams.h"

namespace tool {

namespace {

namespace icons = platform::icons;

}  // namespace

bool IsChosen(const ImageChoice& choice, const icons::IconImage& image) {
    if (!choice.Filters()) {
        return true;
    }
    const auto facts = platform::format::ReadImageHeader(image.bytes);
    if (!facts) {
        return false;
    }
    const bool sizeMatches = choice.sizes.empty() ||
                             (facts->width == facts->height &&
                              std::ranges::find(choice.sizes, facts->width) != choice.sizes.end());
    return sizeMatches && (!choice.depth || *choice.depth == facts->depth);
}

platform::picture::IPictureDisp WithChosenImages(const platform::picture::IPictureDisp& picture,
                                                 const ImageChoice& choice) {
    if (!picture || !choice.Filters()) {
        return picture;
    }
    auto chosen = std::make_shared<icons::IconGroup>();
    for (const icons::IconImage& image : picture->Group().images) {
        if (IsChosen(choice, image)) {
            chosen->images.push_back(image);
        }
    }
    if (chosen->images.empty()) {
        return {};
    }
    // The picture holds the group alone, no handle of the process-wide table.
    return std::make_shared<const platform::picture::Picture>(0, std::move(chosen));
}

int ChoiceTally::Finish(const ImageChoice& choice, int status) const {
    const int left = groupsWithoutImage_.load();
    if (left == 0) {
        return status;
    }
    const std::string count = std::to_string(left);
    const bool oneSize = choice.sizes.size() == 1;
    const char* text = nullptr;
    if (!choice.depth) {
        text = oneSize ? Q_PLURAL("%s group had no image of the size asked",
                                  "%s groups had no image of the size asked", left)
                       : Q_PLURAL("%s group had no image of the sizes asked",
                                  "%s groups had no image of the sizes asked", left);
    } else if (choice.sizes.empty()) {
        text = Q_PLURAL("%s group had no image of the depth asked",
                        "%s groups had no image of the depth asked", left);
    } else {
        text = oneSize ? Q_PLURAL("%s group had no image of the size and depth asked",
                                  "%s groups had no image of the size and depth asked", left)
                       : Q_PLURAL("%s group had no image of the sizes and depth asked",
                                  "%s groups had no image of the sizes and depth asked", left);
    }
    ToolErr() << "quorvane-icons: " << Format(text, {count}) << "\n";
    return filesWritten_.load() == 0 ? kExitFailure : status;
}

ChoiceTally& RunChoiceTally() {
    static ChoiceTally tally;
    return tally;
}

}  // namespace tool
