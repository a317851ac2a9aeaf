#include "stale_temporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace qrplatform {

namespace {

// Only "no such process" is an ended one: EPERM is a live process of
// another user.
bool ProcessHasEnded(pid_t pid) { return kill(pid, 0) == -1 && errno == ESRCH; }

}  // namespace

int RemoveStaleTemporaries(const std::string &folder) {
  DIR *listing = opendir(folder.c_str());
  if (listing == nullptr) return 0;
  const int folderDescriptor = dirfd(listing);
  int removed = 0;
  while (const dirent *entry = readdir(listing)) {
    const unsigned long long owner = TemporaryFileOwner(entry->d_name);
    if (owner == 0 || owner > static_cast<unsigned long long>(INT_MAX)) continue;
    if (!ProcessHasEnded(static_cast<pid_t>(owner))) continue;
    struct stat info;
    if (fstatat(folderDescriptor, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(info.st_mode))
      continue;
    if (unlinkat(folderDescriptor, entry->d_name, 0) == 0) ++removed;
  }
  closedir(listing);
  return removed;
}

}  // namespace qrplatform
