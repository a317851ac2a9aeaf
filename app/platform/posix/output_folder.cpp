#include "output_folder.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "system_error.h"

namespace qrplatform {

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// A path the kernel resolves to the open folder itself, whatever name it
// has now: every open and rename through it stays inside that folder.
std::string PathThrough(int descriptor) { return "/proc/self/fd/" + std::to_string(descriptor); }

}  // namespace

OutputFolder::~OutputFolder() {
  if (descriptor_ >= 0) close(descriptor_);
}

Outcome OutputFolder::Open(const std::string &path) {
  path_ = path;
  descriptor_ = open(path.c_str(), kFolderFlags);
  if (descriptor_ < 0) return Outcome::Failed(LastErrorText());
  // Without /proc the names are used as they are (no protection, as before).
  // The process works in the open folder from now on, whatever its name
  // becomes; sub-folders are reached through /proc. Without /proc, or when
  // the folder cannot be entered, names are used as they are (no
  // protection, as before).
  byDescriptor_ = access(PathThrough(descriptor_).c_str(), F_OK) == 0 && fchdir(descriptor_) == 0;
  // Files in sub-folders hold their folder open until they have their
  // names, up to a few thousand at once: take all the descriptors allowed.
  rlimit files;
  if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
    files.rlim_cur = files.rlim_max;
    setrlimit(RLIMIT_NOFILE, &files);
  }
  return Outcome::Done();
}

Outcome OutputFolder::PlaceOf(const std::string &relative, Place &place) const {
  if (!byDescriptor_) {
    place.path_ = path_ + "/" + relative;
    return Outcome::Done();
  }
  // A name right in the folder is taken relative to the working folder,
  // which is the open folder itself (Open): the cheapest path there is.
  if (relative.find('/') == std::string::npos) {
    place.path_ = relative;
    return Outcome::Done();
  }
  int folder = descriptor_;
  size_t start = 0;
  for (size_t slash; (slash = relative.find('/', start)) != std::string::npos; start = slash + 1) {
    if (slash == start) continue;  // an empty component: the same folder
    const std::string component = relative.substr(start, slash - start);
    const int next = openat(folder, component.c_str(), kFolderFlags | O_NOFOLLOW);
    std::string reason;
    if (next < 0) {
      // O_NOFOLLOW refuses a link with ELOOP, or ENOTDIR beside
      // O_DIRECTORY: say what it is.
      const int error = errno;
      struct stat link;
      const bool isLink = fstatat(folder, component.c_str(), &link, AT_SYMLINK_NOFOLLOW) == 0 &&
                          S_ISLNK(link.st_mode);
      reason = isLink ? "a folder of the name is a symbolic link" : ErrnoText(error);
    }
    if (folder != descriptor_) close(folder);
    if (next < 0) return Outcome::Failed(reason);
    folder = next;
  }
  if (folder != descriptor_) {
    place.subfolder_ = std::shared_ptr<const int>(new int(folder), [](const int *held) {
      close(*held);
      delete held;
    });
  }
  place.path_ = PathThrough(folder) + "/" + relative.substr(start);
  return Outcome::Done();
}

}  // namespace qrplatform
