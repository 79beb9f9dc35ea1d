// The drive list's volumes from the kernel's mount table: what is listed, how it is named, and
// that a network or FUSE mount is listed from the table alone.
#include "platform/toolkit/linux/MountTable.h"

#include <gtest/gtest.h>

#include "tests/support/ScratchDirectory.h"

namespace toolkit::mount_table {
namespace {

TEST(MountTable, ReadsEachMountsPlaceTypeAndSourceWithEscapesUndone) {
    const std::string text =
        "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "not a mount line\n"
        "60 27 8:17 / /media/My\\040Disk rw master:4 unbindable - vfat /dev/sdb1 rw\n"
        "61 27 0:50 / /mnt/share rw - nfs4 server:/export rw\n";
    const std::vector<Mount> mounts = ParseMountInfo(text, 100);
    ASSERT_EQ(mounts.size(), 3u);
    EXPECT_EQ(mounts[0].mountPoint, "/");
    EXPECT_EQ(mounts[1].mountPoint, "/media/My Disk");
    EXPECT_EQ(mounts[1].fileSystemType, "vfat");
    EXPECT_EQ(mounts[1].source, "/dev/sdb1");
    EXPECT_EQ(mounts[2].source, "server:/export");
    EXPECT_EQ(ParseMountInfo(text, 2).size(), 2u);
}

TEST(MountTable, SystemMountsAndFileSystemsThatMayHang) {
    EXPECT_TRUE(IsSystemMount({"/proc", "proc", "proc"}));
    EXPECT_TRUE(IsSystemMount({"/sys/fs/cgroup", "tmpfs", "tmpfs"}));
    EXPECT_TRUE(IsSystemMount({"/srv/x", "cgroup2", "cgroup2"}));
    EXPECT_FALSE(IsSystemMount({"/devices", "ext4", "/dev/sdc1"}));
    EXPECT_FALSE(IsSystemMount({"/dev-data", "tmpfs", "tmpfs"}));
    for (const char* type : {"nfs", "nfs4", "cifs", "fuse.sshfs", "fuseblk"}) {
        EXPECT_TRUE(MayHang(type)) << type;
    }
    EXPECT_FALSE(MayHang("ext4"));
    EXPECT_FALSE(MayHang("tmpfs"));
}

TEST(MountTable, ANetworkMountIsListedUntouchedAndALocalOneOnlyWhereItsDirectoryIs) {
    const testsupport::ScratchDirectory scratch;
    const std::string text =
        "1 0 254:0 / / rw - ext4 /dev/vda rw\n"
        "2 1 0:40 / " +
        scratch.Path() +
        " rw - tmpfs tmpfs rw\n"
        "3 1 0:41 / /quorvane-absent/local rw - ext4 /dev/vdb rw\n"
        "4 1 0:42 / /quorvane-absent/share rw - nfs4 server:/export rw\n"
        "5 1 0:43 / /quorvane-absent/ssh rw - fuse.sshfs me@host: rw\n"
        "6 1 0:44 / /proc rw - proc proc rw\n"
        "7 1 0:45 / " +
        scratch.Path() + " rw - ext4 /dev/vdc rw\n";
    const std::vector<Volume> volumes = VolumesOf(text);
    ASSERT_EQ(volumes.size(), 4u);
    EXPECT_EQ(volumes[0].rootPath, "/");
    EXPECT_EQ(volumes[0].label, "root");
    EXPECT_EQ(volumes[1].rootPath, "/quorvane-absent/share");
    EXPECT_EQ(volumes[1].label, "export");
    EXPECT_EQ(volumes[2].rootPath, "/quorvane-absent/ssh");
    EXPECT_EQ(volumes[3].rootPath, scratch.Path());
    EXPECT_EQ(volumes[3].label, "vdc");  // the later mount on the same place
}

TEST(MountTable, TheRootIsListedWhereItIsNoMountPointOfItsOwn) {
    const testsupport::ScratchDirectory scratch;
    const std::vector<Volume> volumes =
        VolumesOf("2 1 0:40 / " + scratch.Path() + " rw - tmpfs tmpfs rw\n" +
                  "6 1 0:44 / /proc rw - proc proc rw\n");
    ASSERT_EQ(volumes.size(), 2u);
    EXPECT_EQ(volumes[0].rootPath, "/");
    EXPECT_EQ(volumes[0].label, "root");
    EXPECT_EQ(volumes[1].rootPath, scratch.Path());
    EXPECT_EQ(VolumesOf("").size(), 1u);
}

}  // namespace
}  // namespace toolkit::mount_table
