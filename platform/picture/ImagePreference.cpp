#include "platform/picture/ImagePreference.h"

#include <algorithm>

#include "platform/picture/IconImageInfo.h"

namespace platform::picture {

namespace {

struct Candidate {
    std::size_t index;
    bool largeEnough;
    int area;
    int depth;
};

Candidate CandidateOf(const icons::IconImage& image, std::size_t index, int width, int height) {
    return {.index = index,
            .largeEnough = image.entry.PixelWidth() >= width && image.entry.PixelHeight() >= height,
            .area = image.entry.PixelWidth() * image.entry.PixelHeight(),
            .depth = ColourDepth(image)};
}

// Whether a draws better than b; a stable sort keeps the group's order among equals.
bool DrawsBetter(const Candidate& a, const Candidate& b) {
    if (a.largeEnough != b.largeEnough) {
        return a.largeEnough;
    }
    if (a.area != b.area) {
        return a.largeEnough ? a.area < b.area : a.area > b.area;
    }
    return a.depth > b.depth;
}

}  // namespace

std::vector<std::size_t> ImagesByPreference(const icons::IconGroup& group, int width, int height) {
    std::vector<Candidate> candidates;
    candidates.reserve(group.images.size());
    for (std::size_t index = 0; index < group.images.size(); ++index) {
        candidates.push_back(CandidateOf(group.images[index], index, width, height));
    }
    std::stable_sort(candidates.begin(), candidates.end(), DrawsBetter);
    std::vector<std::size_t> order;
    order.reserve(candidates.size());
    for (const Candidate& candidate : candidates) {
        order.push_back(candidate.index);
    }
    return order;
}

}  // namespace platform::picture
