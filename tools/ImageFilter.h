#pragma once

#include <atomic>
#include <optional>
#include <vector>

#include "platform/icons/IconService.h"
#include "platform/picture/Picture.h"

// Which images of each group the tool writes (--size, --depth), judged from each image's own
// header, and what a run tells of the groups left with none.
namespace tool {

struct ImageChoice {
    std::vector<int> sizes;    // keep images N x N for these N; empty: any size
    std::optional<int> depth;  // keep images of this many bits per pixel; empty: any depth

    bool Filters() const { return !sizes.empty() || depth.has_value(); }
};

// Whether the image is one the choice keeps, by the size and depth its header gives (an image
// whose header cannot be read is kept only when the choice filters nothing).
bool IsChosen(const ImageChoice& choice, const platform::icons::IconImage& image);

// The picture's group with only the chosen images, in group order, entries and bytes as stored;
// the picture itself when the choice filters nothing, empty when no image is chosen.
platform::picture::IPictureDisp WithChosenImages(const platform::picture::IPictureDisp& picture,
                                                 const ImageChoice& choice);

// What one run wrote under a choice; counted from any thread.
class ChoiceTally {
public:
    void GroupWithoutImage() { groupsWithoutImage_.fetch_add(1); }
    void FileWritten() { filesWritten_.fetch_add(1); }

    // Tells on standard error how many groups had no chosen image ("quorvane-icons: 3 groups had
    // no image of the sizes asked"), when any, and gives the run's exit status: `status`, or
    // kExitFailure when groups were left out and no file at all was written.
    int Finish(const ImageChoice& choice, int status) const;

private:
    std::atomic<int> groupsWithoutImage_{0};
    std::atomic<int> filesWritten_{0};
};

// The tally of this run of the tool.
ChoiceTally& RunChoiceTally();

}  // namespace tool
