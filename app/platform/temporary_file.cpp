#include "temporary_file.h"

#include <atomic>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace qrplatform {

namespace {

constexpr std::string_view kPrefix = ".qr-", kWindowPrefix = ".qrwrite-", kSuffix = ".tmp";

std::atomic<unsigned long> temporaryCounter{0};

long ThisProcess() {
#ifdef _WIN32
  return static_cast<long>(GetCurrentProcessId());
#else
  // Asked once: getpid is a system call of its own. A child made by fork
  // keeps its parent's number; the exclusive creation keeps them apart.
  static const long pid = static_cast<long>(getpid());
  return pid;
#endif
}

// The digits at the front of `text` when they spell a number the way
// printf does (at most `most` of them); 0 digits otherwise.
size_t NumberLength(std::string_view text, size_t most) {
  size_t length = 0;
  while (length < text.size() && text[length] >= '0' && text[length] <= '9') ++length;
  if (length == 0 || length > most || (length > 1 && text[0] == '0')) return 0;
  return length;
}

// "PID-N" between the prefix and the suffix; the PID, or 0.
unsigned long long OwnerIn(std::string_view middle) {
  // Ten digits hold any 32-bit process id; twenty any 64-bit counter.
  const size_t pidLength = NumberLength(middle, 10);
  if (pidLength == 0 || pidLength + 1 >= middle.size() || middle[pidLength] != '-') return 0;
  const std::string_view counter = middle.substr(pidLength + 1);
  if (NumberLength(counter, 20) != counter.size()) return 0;
  unsigned long long pid = 0;
  for (size_t i = 0; i < pidLength; ++i) pid = pid * 10 + static_cast<unsigned>(middle[i] - '0');
  return pid;
}

}  // namespace

std::string NextTemporaryName() {
  char name[64];
  std::snprintf(name, sizeof name, ".qr-%ld-%lu.tmp", ThisProcess(),
                temporaryCounter.fetch_add(1, std::memory_order_relaxed));
  return name;
}

unsigned long long TemporaryFileOwner(std::string_view name) {
  for (std::string_view prefix : {kPrefix, kWindowPrefix}) {
    if (name.size() <= prefix.size() + kSuffix.size() || name.substr(0, prefix.size()) != prefix ||
        name.substr(name.size() - kSuffix.size()) != kSuffix)
      continue;
    return OwnerIn(name.substr(prefix.size(), name.size() - prefix.size() - kSuffix.size()));
  }
  return 0;
}

}  // namespace qrplatform
