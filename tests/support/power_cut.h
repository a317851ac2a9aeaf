// A fresh journalled ext4 on a loop device that a test can cut the power
// to: the file system is shut down as a power cut would leave it (nothing
// more reaches the disk, the journal is not flushed), then mounted again so
// the test sees what a machine would see after a restart. Needs root,
// mkfs.ext4 and loop devices; Usable() says why not when they are missing.
#pragma once

#include <string>

namespace qrtest {

class PowerCutDisk {
 public:
  PowerCutDisk();
  ~PowerCutDisk();  // unmounts and deletes the image, whatever happened
  PowerCutDisk(const PowerCutDisk &) = delete;
  PowerCutDisk &operator=(const PowerCutDisk &) = delete;

  // Empty when the disk is mounted and usable, else the reason it is not.
  const std::string &unusable() const { return unusable_; }
  // The mount point.
  const std::string &path() const { return mount_; }
  // Cuts the power right now, unmounts and mounts the image again (the
  // journal is replayed). False with the reason when a step failed.
  bool CutPowerAndRemount(std::string &reason);

 private:
  bool Mount(std::string &reason);

  std::string image_, mount_, unusable_;
  bool mounted_ = false;
};

}  // namespace qrtest
