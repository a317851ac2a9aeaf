// The folder a batch writes into, opened once: every file goes into that
// very folder, even when its name is given to another folder or to a link
// while the batch runs, and never through a symbolic link inside it.
#pragma once

#include <memory>
#include <string>

#include "outcome.h"

namespace qrplatform {

class OutputFolder {
 public:
  OutputFolder() = default;
  ~OutputFolder();
  OutputFolder(const OutputFolder &) = delete;
  OutputFolder &operator=(const OutputFolder &) = delete;

  // Failed with the system's reason when `path` cannot be opened as a
  // folder. On POSIX the process then works in that folder: relative
  // paths given before no longer mean what they meant.
  Outcome Open(const std::string &path);

  // Where the file `relative` (a name inside the folder, its sub-folders
  // separated by '/' or the system's separator) is to be written: a path
  // that the file functions take, valid while `place` or a copy of it
  // lives. Failed with the reason when a folder on the way is missing or
  // is a symbolic link.
  class Place {
   public:
    const std::string &path() const { return path_; }

   private:
    friend class OutputFolder;
    std::string path_;
    std::shared_ptr<const int> subfolder_;  // a sub-folder held open for the path
  };
  Outcome PlaceOf(const std::string &relative, Place &place) const;

 private:
  std::string path_;
  int descriptor_ = -1;
  bool byDescriptor_ = false;  // paths go through the open folder
};

}  // namespace qrplatform
