#include "batch_names.h"

#include "gbk_bytes.h"
#include "upper_case.h"
#include "utf8_text.h"

namespace batch {

namespace {

using qrtext::IsPair;

// The BMP character a well-formed UTF-8 sequence of two or three bytes at
// `at` encodes, and its length; 0 for anything else (a four-byte sequence
// lies outside the BMP and is kept as it is, like a stray byte).
size_t BmpCharacterAt(const std::string &text, size_t at, char32_t &c) {
  const size_t length = qrtext::Utf8CharLength(text, at);
  if (length < 2 || length > 3) return 0;
  c = qrtext::Utf8CodePoint(text, at);
  return length;
}

// Folds the character at `at` into `folded`; returns its length in bytes.
size_t FoldCharacter(const std::string &path, size_t at, NameEncoding encoding,
                     std::string &folded) {
  const unsigned char byte = static_cast<unsigned char>(path[at]);
  if (byte < 0x80) {
    folded += static_cast<char>(byte >= 'a' && byte <= 'z' ? byte - 'a' + 'A' : byte);
    return 1;
  }
  if (encoding == NameEncoding::kGbk) {
    if (at + 1 < path.size() && IsPair(byte, static_cast<unsigned char>(path[at + 1]))) {
      const unsigned pair =
          qrtext::GbkUpperPair(byte << 8 | static_cast<unsigned char>(path[at + 1]));
      folded += static_cast<char>(pair >> 8);
      folded += static_cast<char>(pair & 0xFF);
      return 2;
    }
  } else {
    char32_t c;
    if (const size_t length = BmpCharacterAt(path, at, c)) {
      qrtext::AppendUtf8(folded, qrtext::SimpleUpper(c));
      return length;
    }
  }
  folded += static_cast<char>(byte);
  return 1;
}

// Windows drops trailing dots and blanks of a component, then the
// component itself when nothing is left ("." included).
void EndComponent(std::string &folded, size_t start) {
  while (folded.size() > start && (folded.back() == '.' || folded.back() == ' ')) {
    folded.pop_back();
  }
  if (folded.size() == start) {
    if (start > 0) folded.pop_back();  // the separator before it
  }
}

// FNV-1a, finished with a strong mix so that the table's low bits spread.
uint64_t Fingerprint(const std::string &bytes) {
  uint64_t hash = 0xCBF29CE484222325ull;
  for (unsigned char byte : bytes) {
    hash ^= byte;
    hash *= 0x100000001B3ull;
  }
  hash ^= hash >> 33;
  hash *= 0xFF51AFD7ED558CCDull;
  hash ^= hash >> 33;
  hash *= 0xC4CEB9FE1A85EC53ull;
  hash ^= hash >> 33;
  return hash == 0 ? 1 : hash;  // 0 marks a free slot
}

}  // namespace

std::string BatchNames::FoldedPath(const std::string &path, NameEncoding encoding) {
  std::string folded;
  FoldPath(path, encoding, folded);
  return folded;
}

void BatchNames::FoldPath(const std::string &path, NameEncoding encoding, std::string &folded) {
  folded.clear();
  folded.reserve(path.size());
  size_t start = 0;
  for (size_t i = 0; i < path.size();) {
    // `i` starts a character: a GBK trail byte 0x5C went with its lead.
    if (path[i] == '\\' || path[i] == '/') {
      EndComponent(folded, start);
      folded += '\\';
      start = folded.size();
      ++i;
    } else {
      i += FoldCharacter(path, i, encoding, folded);
    }
  }
  EndComponent(folded, start);
}

BatchNames::BatchNames(NameEncoding encoding) : encoding_(encoding) {}
BatchNames::~BatchNames() = default;

uint64_t BatchNames::NameKey(const std::string &path) {
  FoldPath(path, encoding_, folded_);
  return Fingerprint(folded_);
}

int BatchNames::Claim(const std::string &path, const std::string &content, int lineNumber) {
  return Claim(NameKey(path), content, lineNumber);
}

int BatchNames::Claim(uint64_t nameKey, const std::string &content, int lineNumber) {
  if (!segments_) segments_ = std::make_unique<Segment[]>(size_t{1} << kSegmentBits);
  Segment &segment = segments_[nameKey >> (64 - kSegmentBits)];
  if ((segment.used + 1) * uint64_t{5} > segment.size * uint64_t{4}) Grow(segment);
  // The top half of the content's fingerprint: its best mixed bits.
  const uint32_t contentPrint = static_cast<uint32_t>(Fingerprint(content) >> 32);
  Slot &slot = SlotOf(segment, nameKey);
  if (slot.name == 0) {
    slot = {nameKey, contentPrint, lineNumber};
    ++segment.used;
    return 0;
  }
  return slot.content == contentPrint ? 0 : slot.lineNumber;
}

BatchNames::Slot &BatchNames::SlotOf(const Segment &segment, uint64_t name) {
  // The 32 bits below the segment's scaled to the segment's size
  // (multiply-shift), so a segment may have any size.
  const uint64_t bits = static_cast<uint32_t>(name >> (32 - kSegmentBits));
  size_t i = static_cast<size_t>((bits * segment.size) >> 32);
  for (;;) {
    Slot &slot = segment.slots[i];
    if (slot.name == 0 || slot.name == name) return slot;
    if (++i == segment.size) i = 0;
  }
}

void BatchNames::Grow(Segment &segment) {
  Segment grown;
  grown.size = segment.size < 16 ? 16 : segment.size + segment.size / 2;
  grown.slots.reset(new Slot[grown.size]());
  grown.used = segment.used;
  for (uint32_t i = 0; i < segment.size; ++i) {
    if (segment.slots[i].name != 0) SlotOf(grown, segment.slots[i].name) = segment.slots[i];
  }
  segment = std::move(grown);
}

}  // namespace batch
