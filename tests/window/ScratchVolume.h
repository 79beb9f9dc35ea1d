#pragma once

#include <string>

#include "platform/toolkit/DriveListBox.h"
#include "tests/support/ScratchDirectory.h"

// A volume of a test's own for the drive list. On POSIX (ScratchVolumePosix.cpp) a fresh
// directory named by its path; on Windows (ScratchVolumeWin32.cpp) a drive letter the test run
// points at a directory beforehand (Wine's dosdevices, see CMakeLists.txt): Windows has no drive a
// program may point at a directory for another's files to follow.
class ScratchVolume {
public:
    enum class Kind {
        kWritable,   // its root is a directory the test may write in
        kRemovable,  // its root goes with RemoveRoot (on Windows it is never there)
    };
    ScratchVolume(Kind kind, const std::string& label);

    const toolkit::Volume& volume() const { return volume_; }
    // The volume's root as the directory list names it.
    std::string Root() const;
    // The root goes; the volume stays listed, as a drive whose medium was taken out.
    void RemoveRoot();

    // The volume of the system's root ("/", "c:"), labelled "root".
    static toolkit::Volume SystemRoot();

private:
    testsupport::ScratchDirectory directory_;
    toolkit::Volume volume_;
};
