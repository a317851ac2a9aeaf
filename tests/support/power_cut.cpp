#include "power_cut.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "temp_folder.h"

namespace qrtest {

namespace {

// From the kernel's fs/ext4/ext4.h (not in the exported headers): shut the
// file system down without flushing its journal, as a power cut leaves it.
constexpr unsigned long kExt4ShutDown = _IOR('X', 125, uint32_t);
constexpr uint32_t kGoingNoLogFlush = 2;

bool Run(const std::string &command, std::string &reason) {
  if (std::system((command + " >/dev/null 2>&1").c_str()) == 0) return true;
  reason = "failed: " + command;
  return false;
}

}  // namespace

PowerCutDisk::PowerCutDisk() {
  if (geteuid() != 0) {
    unusable_ = "needs root for a loop device";
    return;
  }
  char image[] = "/var/tmp/power_cut_ext4.XXXXXX";
  const int fd = mkstemp(image);
  if (fd < 0) {
    unusable_ = std::string("no image file: ") + std::strerror(errno);
    return;
  }
  close(fd);
  image_ = image;
  mount_ = MakeTempFolder("power_cut_mnt.");
  if (mount_.empty()) {
    unusable_ = std::string("no mount point: ") + std::strerror(errno);
    return;
  }
  // mkfs.ext4's defaults: a journal, data=ordered, delayed allocation.
  if (truncate(image_.c_str(), 256 << 20) != 0 ||
      !Run("mkfs.ext4 -q -F '" + image_ + "'", unusable_) || !Mount(unusable_))
    return;
}

PowerCutDisk::~PowerCutDisk() {
  if (mounted_) umount2(mount_.c_str(), MNT_DETACH);
  if (!mount_.empty()) rmdir(mount_.c_str());
  if (!image_.empty()) unlink(image_.c_str());
}

bool PowerCutDisk::Mount(std::string &reason) {
  // `mount -o loop` finds a free loop device and lets it go at unmount.
  mounted_ = Run("mount -t ext4 -o loop '" + image_ + "' '" + mount_ + "'", reason);
  return mounted_;
}

bool PowerCutDisk::CutPowerAndRemount(std::string &reason) {
  const int fd = open(mount_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    reason = std::string("cannot open the mount point: ") + std::strerror(errno);
    return false;
  }
  uint32_t flags = kGoingNoLogFlush;
  const bool cut = ioctl(fd, kExt4ShutDown, &flags) == 0;
  const int error = errno;
  close(fd);
  if (!cut) {
    reason = std::string("cannot shut the file system down: ") + std::strerror(error);
    return false;
  }
  if (umount(mount_.c_str()) != 0) {
    reason = std::string("cannot unmount: ") + std::strerror(errno);
    return false;
  }
  mounted_ = false;
  return Mount(reason);
}

}  // namespace qrtest
