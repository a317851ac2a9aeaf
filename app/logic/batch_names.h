// The file names one batch has written, so a later line never replaces an
// earlier line's file with other content.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qrapp {

// Names are compared as Windows compares them: ASCII letters (and the
// full-width Latin, Greek and Cyrillic letters of GBK) case-folded, never a
// GBK trail byte; '/' equal to '\'; trailing dots and blanks of every path
// component ignored, empty and "." components dropped.
//
// Only fingerprints are kept: a 64-bit hash of the folded name, a 64-bit
// hash of the content and the line number, 24 bytes a slot, so a million
// lines take some 50 MB at most. Two different names (or contents) share a
// hash with a chance of about n^2 / 2^65 for n lines, 3e-8 for a million:
// a false "name taken" (or a rewrite taken for the same content).
class BatchNames {
 public:
  // 0 when `path` is new in this batch (it is then claimed by `lineNumber`)
  // or was claimed with equal content; otherwise the 1-based line number
  // that claimed it with other content.
  int Claim(const std::string &path, const std::string &content, int lineNumber);

  // The form two paths share exactly when Windows takes them for one file.
  static std::string FoldedPath(const std::string &path);

 private:
  struct Slot {
    uint64_t name = 0;  // 0: free
    uint64_t content = 0;
    int lineNumber = 0;
  };

  Slot &SlotOf(uint64_t name);
  void Grow();

  std::vector<Slot> slots_;
  size_t used_ = 0;
};

}  // namespace qrapp
