// The drive table this machine offers by default, read from the block
// devices (/sys/block) and the mount table.
//
// a: and b: are the first two removable devices present, mounted or not: a
// disk whose removable flag is set, or a floppy device (fdN).  Such a letter
// names the device, not a directory, so that it follows the device to
// wherever the desktop mounts the medium now in it (the device or one of its
// partitions).  CD/DVD drives (srN) are not removable media: they get type 5.
// c: is the home directory.  From d: on, in mount-table order, come the
// further removable devices and the mounts a file manager would show, then
// the removable and CD/DVD devices that are not mounted.
//
// Left out: pseudo and system file systems (proc, sysfs, cgroup, devpts,
// devtmpfs, securityfs, debugfs, tracefs, pstore, bpf, mqueue, hugetlbfs,
// configfs, fusectl, autofs, binfmt_misc, efivarfs, nsfs, squashfs images
// such as snaps...), anything mounted below /proc, /sys, /dev, /run (except
// /run/media, where some desktops mount media), /snap, /etc (files a
// container binds in) and the container stores below /var/lib; a directory
// mounted twice, or a device mounted at a second place, keeps its first
// letter.  The root file system stays.  A removable device that holds the
// system itself (mounted at /, /boot, /usr...) is not taken for a floppy.
//
// Types: removable 2; CD/DVD (srN, iso9660, udf) 5; nfs, cifs/smb, sshfs 4;
// tmpfs and ramfs 6; anything else 3.  Labels: the basename of the mount
// directory (the desktop names it after the medium's label), the kernel
// name of an unmounted device ("fd0", "sdb"), "root" for /, "home" for c:.
#pragma once

#include <string>

#include "platform/drive_table.h"

namespace tavrix {

class SysCalls;

// Where the default table is read from; tests point these at fakes.
struct DriveSources {
  std::string mount_table = "/proc/self/mounts";
  std::string sys_block = "/sys/block";
  std::string home;  // c:
};

// The default table.  Never raises: what cannot be read is left out (with
// no readable mount table, no block devices, c: alone remains).
DriveTable DefaultDriveTable(SysCalls& sys, const DriveSources& sources);

}  // namespace tavrix
