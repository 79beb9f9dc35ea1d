#include "tools/ImageFilter.h"

#include <algorithm>
#include <iostream>
#include <string>

#include "tools/ImageHeaderFacts.h"
#include "tools/ToolReport.h"

namespace tool {

namespace {

namespace icons = platform::icons;

// "the sizes", "the depth", "the sizes and depth"
std::string WhatWasAsked(const ImageChoice& choice) {
    const std::string sizes = choice.sizes.size() == 1 ? "size" : "sizes";
    if (!choice.depth) {
        return "the " + sizes;
    }
    return choice.sizes.empty() ? "the depth" : "the " + sizes + " and depth";
}

}  // namespace

bool IsChosen(const ImageChoice& choice, const icons::IconImage& image) {
    if (!choice.Filters()) {
        return true;
    }
    const std::optional<HeaderFacts> facts = ReadHeaderFacts(image.bytes);
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
    std::cerr << "quorvane-icons: " << left << (left == 1 ? " group" : " groups")
              << " had no image of " << WhatWasAsked(choice) << " asked\n";
    return filesWritten_.load() == 0 ? kExitFailure : status;
}

ChoiceTally& RunChoiceTally() {
    static ChoiceTally tally;
    return tally;
}

}  // namespace tool
