// Scratch folders for tests, under $TMPDIR when it is set (the test command
// points it at tmpfs: the batch tests write thousands of small files and
// wait on a disk's sync otherwise), else under /tmp.
#pragma once

#include <stdlib.h>

#include <string>

namespace qrtest {

// The folder scratch files go in, with a trailing '/'.
inline std::string TempRoot() {
  const char *set = getenv("TMPDIR");
  std::string root = set != nullptr && set[0] != '\0' ? set : "/tmp";
  if (root.back() != '/') root += '/';
  return root;
}

// A new empty folder TempRoot()/<stem>XXXXXX; empty when it could not be made.
inline std::string MakeTempFolder(const std::string &stem) {
  std::string pattern = TempRoot() + stem + "XXXXXX";
  return mkdtemp(&pattern[0]) != nullptr ? pattern : std::string();
}

// A new empty file TempRoot()/<stem>XXXXXX, open for reading and writing:
// its descriptor (or -1), its name in `name`.
inline int MakeTempFile(const std::string &stem, std::string &name) {
  name = TempRoot() + stem + "XXXXXX";
  return mkstemp(&name[0]);
}

}  // namespace qrtest
