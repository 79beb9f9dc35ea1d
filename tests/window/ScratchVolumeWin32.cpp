#include "tests/window/ScratchVolume.h"

// The drives the test run made: n: a directory of the build, o: one that does not exist.
ScratchVolume::ScratchVolume(Kind kind, const std::string& label)
    : volume_{kind == Kind::kWritable ? "n:" : "o:", label} {}

std::string ScratchVolume::Root() const {
    return volume_.rootPath + "\\";
}

void ScratchVolume::RemoveRoot() {}

toolkit::Volume ScratchVolume::SystemRoot() {
    return {"c:", "root"};
}
