// The file names one batch has written, so a later line never replaces an
// earlier line's file with other content.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace batch {

// The encoding of a batch's names: GBK (code page 936, the window and
// qrbatch.exe) or UTF-8 (qrbatch on Linux, whose names go to the file
// system as they are).
enum class NameEncoding { kGbk, kUtf8 };

// Names are compared as Windows (and exFAT) compares them: in Unicode, each
// character of the Basic Multilingual Plane through its simple uppercase
// mapping (upper_case.h, the same tables on every machine and in either
// build), never a GBK trail byte on its own; bytes that are no character of
// the encoding as they are; '/' equal to '\'; trailing dots and blanks of
// every path component ignored, empty and "." components dropped.
//
// Only fingerprints are kept, 16 bytes a name: a 64-bit hash of the folded
// name, a 32-bit hash of the content and the line number. Two different
// names share a hash with a chance of about n^2 / 2^65 for n names (3e-8
// for a million): a false "name taken". The content's hash is compared only
// when a line repeats a name, against that name's first content: a false
// "same content" (the later line rewrites the file) has a chance of 2^-32
// per such line, whatever the batch's size, so 32 bits buy back the
// memory where the chance stays far below any other fault.
//
// The slots are spread over 256 segments by the name's top bits; each
// segment is an open-addressing table grown by half when more than 80%
// full, one segment at a time, so the whole registry never holds two copies
// of itself: at most some 30 bytes of heap per distinct name at any size.
class BatchNames {
 public:
  explicit BatchNames(NameEncoding encoding = NameEncoding::kGbk);
  ~BatchNames();
  BatchNames(const BatchNames &) = delete;
  BatchNames &operator=(const BatchNames &) = delete;

  // 0 when `path` is new in this batch (it is then claimed by `lineNumber`)
  // or was claimed with equal content; otherwise the 1-based line number
  // that claimed it with other content.
  int Claim(const std::string &path, const std::string &content, int lineNumber);
  // The same for a path's NameKey.
  int Claim(uint64_t nameKey, const std::string &content, int lineNumber);

  // The key of the file `path` names: equal for every spelling Windows
  // takes for one file, never 0, and well mixed in every bit. Folds into
  // a buffer of the registry's, so a line costs no allocation.
  uint64_t NameKey(const std::string &path);

  // The form two paths share exactly when Windows takes them for one file:
  // the path in its own encoding with every character folded.
  static std::string FoldedPath(const std::string &path,
                                NameEncoding encoding = NameEncoding::kGbk);

 private:
  struct Slot {
    uint64_t name;  // 0: free
    uint32_t content;
    int32_t lineNumber;
  };
  struct Segment {
    std::unique_ptr<Slot[]> slots;
    uint32_t size = 0;
    uint32_t used = 0;
  };
  static constexpr int kSegmentBits = 8;

  static void FoldPath(const std::string &path, NameEncoding encoding, std::string &folded);
  static Slot &SlotOf(const Segment &segment, uint64_t name);
  static void Grow(Segment &segment);

  NameEncoding encoding_;
  std::unique_ptr<Segment[]> segments_;  // 1 << kSegmentBits, made at the first claim
  std::string folded_;                   // NameKey's buffer
};

}  // namespace batch
