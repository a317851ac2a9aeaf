#include "pending_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <unordered_map>
#include <utility>

#include "posix_file_steps.h"

namespace qrplatform {

namespace {

// Creates the temporary beside `target` and writes the parts; `flush`:
// their data reaches the disk too. Nothing is left behind on failure.
bool WriteTemporary(const std::string &target, std::initializer_list<FilePart> parts, bool flush,
                    std::string &temporary) {
  const TemporaryFile created = CreateTemporaryBeside(target);
  if (created.path.empty()) return false;
  bool ok = WriteAllParts(created.file, parts.begin(), parts.size()) &&
            (!flush || Flushed(fdatasync(created.file)));
  int reason = errno;
  if (close(created.file) != 0 && ok) ok = false, reason = errno;
  if (!ok) {
    unlink(created.path.c_str());
    errno = reason;
    return false;
  }
  temporary = created.path;
  return true;
}

// A folder of a group of pending files, opened once.
struct GroupFolder {
  std::string path;
  int fd = -1;
  int error = 0;  // of opening, flushing the file system or the folder
  bool renamedInto = false;
};

// The folders of the targets; `folderOf[i]` indexes target i's.
std::vector<GroupFolder> OpenFolders(const std::vector<std::string> &targets,
                                     std::vector<size_t> &folderOf) {
  std::vector<GroupFolder> folders;
  std::unordered_map<std::string, size_t> folderIndex;
  folderOf.resize(targets.size());
  for (size_t i = 0; i < targets.size(); ++i) {
    const auto found = folderIndex.emplace(FolderOf(targets[i]), folders.size());
    if (found.second) {
      folders.push_back({found.first->first});
      folders.back().fd = open(folders.back().path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (folders.back().fd < 0) folders.back().error = errno;
    }
    folderOf[i] = found.first->second;
  }
  return folders;
}

// The data of every pending file reaches the disk: one flush of each file
// system the folders are on.
void FlushFileSystems(std::vector<GroupFolder> &folders) {
  std::vector<std::pair<dev_t, int>> fileSystems;  // device, error of its flush
  for (GroupFolder &folder : folders) {
    struct stat info;
    if (folder.error != 0) continue;
    if (fstat(folder.fd, &info) != 0) {
      folder.error = errno;
      continue;
    }
    auto flushed = std::find_if(fileSystems.begin(), fileSystems.end(),
                                [&](const auto &system) { return system.first == info.st_dev; });
    if (flushed == fileSystems.end()) {
      fileSystems.emplace_back(info.st_dev, Flushed(syncfs(folder.fd)) ? 0 : errno);
      flushed = fileSystems.end() - 1;
    }
    folder.error = flushed->second;
  }
}

}  // namespace

bool WriteWholeFile(const char *path, std::initializer_list<FilePart> parts) {
  std::string temporary;
  return WriteTemporary(path, parts, true, temporary) && MoveIntoPlace(temporary, path) &&
         FlushFolder(FolderOf(path));
}

void PendingFile::Discard() {
  if (!temporary_.empty()) unlink(temporary_.c_str());
  temporary_.clear();
}

bool PendingFile::Write(const char *path, std::initializer_list<FilePart> parts) {
  Discard();
  target_ = path;
  return WriteTemporary(target_, parts, false, temporary_);
}

void PublishFiles(std::vector<PendingFile> &files,
                  const std::function<void(size_t index, bool published)> &told) {
  std::vector<std::string> targets(files.size());
  for (size_t i = 0; i < files.size(); ++i) targets[i] = files[i].target_;
  std::vector<size_t> folderOf;
  std::vector<GroupFolder> folders = OpenFolders(targets, folderOf);
  FlushFileSystems(folders);
  // Then the names, in order: a later file of the same name wins.
  std::vector<int> errors(files.size(), 0);
  std::vector<bool> published(files.size(), false);
  for (size_t i = 0; i < files.size(); ++i) {
    GroupFolder &folder = folders[folderOf[i]];
    if (files[i].temporary_.empty()) continue;  // nothing was written
    if (folder.error != 0) {
      errors[i] = folder.error;
      files[i].Discard();
    } else if (!MoveIntoPlace(files[i].temporary_, files[i].target_)) {
      errors[i] = errno;
    } else {
      folder.renamedInto = published[i] = true;
    }
    files[i].temporary_.clear();
  }
  // Then the folders that took names.
  for (GroupFolder &folder : folders) {
    if (folder.renamedInto && !Flushed(fsync(folder.fd))) folder.error = errno;
    if (folder.fd >= 0) close(folder.fd);
  }
  files.clear();
  for (size_t i = 0; i < errors.size(); ++i) {
    if (published[i] && folders[folderOf[i]].error != 0) {
      errors[i] = folders[folderOf[i]].error;
      published[i] = false;
    }
    errno = errors[i];
    told(i, published[i]);
  }
}

}  // namespace qrplatform
