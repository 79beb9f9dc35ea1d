#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/toolkit/DriveListBox.h"

// The kernel's table of mounts (/proc/self/mountinfo), read as text: nothing in it is looked at
// on disk, so that a dead network mount cannot hold up whoever lists the mounts.
namespace toolkit::mount_table {

struct Mount {
    std::string mountPoint;      // "/media/usb", escapes undone
    std::string fileSystemType;  // "ext4", "nfs4", "fuse.sshfs"
    std::string source;          // "/dev/sdb1", "server:/export"
};

// The mounts of a mountinfo text in their order, at most `maxMounts` of them; a line that does not
// read as a mount is skipped.
std::vector<Mount> ParseMountInfo(std::string_view text, std::size_t maxMounts);

// Whether a file system's answers may never come (network file systems and FUSE daemons): the
// drive list names such a mount from the table alone and never touches it.
bool MayHang(std::string_view fileSystemType);

// Kernel and service file systems and places that hold no files of the user's (/proc, /sys,
// /dev, cgroups, ...).
bool IsSystemMount(const Mount& mount);

// The drive list's volumes of a mountinfo text, one per mount point (a later mount on a place hides
// the earlier one), sorted by root: no system mount, a local file system only where its mount
// point is a directory, a network or FUSE one from the text alone.
std::vector<Volume> VolumesOf(std::string_view mountInfo);

}  // namespace toolkit::mount_table
