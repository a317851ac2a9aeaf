#include "stale_temporaries.h"

namespace qrplatform {

namespace {

constexpr std::string_view kPrefix = ".qr-", kSuffix = ".tmp";

// The digits at the front of `text` when they spell a number the way
// printf does (at most `most` of them); 0 digits otherwise.
size_t NumberLength(std::string_view text, size_t most) {
  size_t length = 0;
  while (length < text.size() && text[length] >= '0' && text[length] <= '9') ++length;
  if (length == 0 || length > most || (length > 1 && text[0] == '0')) return 0;
  return length;
}

}  // namespace

unsigned long long TemporaryFileOwner(std::string_view name) {
  if (name.size() <= kPrefix.size() + kSuffix.size() || name.substr(0, kPrefix.size()) != kPrefix ||
      name.substr(name.size() - kSuffix.size()) != kSuffix)
    return 0;
  const std::string_view middle =
      name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  // Ten digits hold any 32-bit process id; twenty any 64-bit counter.
  const size_t pidLength = NumberLength(middle, 10);
  if (pidLength == 0 || pidLength + 1 >= middle.size() || middle[pidLength] != '-') return 0;
  const std::string_view counter = middle.substr(pidLength + 1);
  if (NumberLength(counter, 20) != counter.size()) return 0;
  unsigned long long pid = 0;
  for (size_t i = 0; i < pidLength; ++i) pid = pid * 10 + static_cast<unsigned>(middle[i] - '0');
  return pid;
}

}  // namespace qrplatform
