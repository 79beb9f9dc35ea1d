#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/toolkit/Control.h"
#include "platform/toolkit/UserEvent.h"

namespace toolkit {

// One mounted volume as the drive list shows it.
struct Volume {
    std::string rootPath;  // "/", "/media/usb"
    std::string label;     // "root", "STICK"
};

// The text a drive list shows for a volume and that the directory list accepts as a path:
// "/ [root]", "/media/usb [STICK]", "c: [WINDOWS]"; a drive letter without a label alone ("z:").
std::string DriveText(const Volume& volume);
// The root path of a drive's text; empty when the text is not a drive's.
std::string DriveRootOf(const std::string& driveText);

// Where the drive list takes its volumes from: the real file systems mounted on this machine
// (MountedVolumes), unless a test installs another source. Returns the source it replaces.
using VolumeSource = std::function<std::vector<Volume>()>;
VolumeSource InstallVolumeSource(VolumeSource source);

// A drop-down list of the mounted volumes; at start the one that holds the working directory is
// chosen. Picking another one raises Change.
class DriveListBox : public Control {
public:
    explicit DriveListBox(Form& owner);

    // The chosen volume's text (DriveText); "" when there is no volume.
    std::string Drive() const;
    // Chooses the volume whose root holds that path (or the volume of a drive's text) and raises
    // Change when the choice changes; a path no volume holds raises 68.
    void SetDrive(const std::string& drive);

    runtime::Event Change;

private:
    // Chooses the volume holding the working directory (else the first) and shows it.
    void ChooseWorkingVolume();
    void UserPicked(int index);
    // The backend's half: the drop-down shows entry `index` as chosen.
    void ShowChoice(int index);

    std::vector<Volume> volumes_;
    int chosen_ = -1;
};

}  // namespace toolkit
