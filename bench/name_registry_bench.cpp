// name_registry_bench [NAMES...]: what the batch's name registry
// (BatchNames) costs for N distinct names: the peak heap over all the
// claims, per name, and the time of one claim. Heap is counted by the
// replaced operator new/delete of this program, so it is the registry's
// own (names and contents are made before the count starts); time is the
// thread's CPU time. "worst" is the largest peak per name at any count from
// 10,000 up to N.
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <string>
#include <vector>

#include "batch_names.h"

namespace {

size_t liveBytes = 0;
size_t peakBytes = 0;

// Every block carries its size in front, so an unsized delete can count it.
constexpr size_t kHeader = alignof(std::max_align_t);

void *Allocate(size_t size) {
  void *block = std::malloc(size + kHeader);
  if (!block) throw std::bad_alloc();
  *static_cast<size_t *>(block) = size;
  liveBytes += size;
  if (liveBytes > peakBytes) peakBytes = liveBytes;
  return static_cast<char *>(block) + kHeader;
}

void Release(void *pointer) {
  if (!pointer) return;
  void *block = static_cast<char *>(pointer) - kHeader;
  liveBytes -= *static_cast<size_t *>(block);
  std::free(block);
}

// This thread's CPU time: other programs on the machine leave it alone.
double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct Result {
  double bytesPerName;       // peak heap of all N claims, per name
  double worstBytesPerName;  // the largest peak per name seen after 10,000 names or more
  double nsPerClaim;
};

// Names as a batch makes them: a folder, a product number, an extension;
// each with its own content.
std::vector<std::string> NumberedTexts(const char *head, const char *tail, int count) {
  std::vector<std::string> texts;
  texts.reserve(static_cast<size_t>(count));
  for (int i = 1; i <= count; ++i) texts.push_back(head + std::to_string(i) + tail);
  return texts;
}

Result Measure(int count) {
  const std::vector<std::string> names = NumberedTexts("/srv/out/item-", ".jpg", count);
  const std::vector<std::string> contents = NumberedTexts("https://example.com/p?id=", "", count);
  const size_t before = liveBytes;
  peakBytes = liveBytes;
  double worst = 0;
  int refused = 0;
  batch::BatchNames registry;
  const double start = ThreadSeconds();
  for (int i = 0; i < count; ++i) {
    refused += registry.Claim(names[i], contents[i], i + 1) != 0;
    if (i + 1 >= 10000 && (i + 1) % 1000 == 0) {
      const double perName = static_cast<double>(peakBytes - before) / (i + 1);
      if (perName > worst) worst = perName;
    }
  }
  const double stop = ThreadSeconds();
  if (refused != 0) std::fprintf(stderr, "%d names falsely taken\n", refused);
  const double ns = (stop - start) * 1e9;
  return {static_cast<double>(peakBytes - before) / count, worst, ns / count};
}

}  // namespace

void *operator new(size_t size) { return Allocate(size); }
void *operator new[](size_t size) { return Allocate(size); }
void operator delete(void *pointer) noexcept { Release(pointer); }
void operator delete[](void *pointer) noexcept { Release(pointer); }
void operator delete(void *pointer, size_t) noexcept { Release(pointer); }
void operator delete[](void *pointer, size_t) noexcept { Release(pointer); }

int main(int argc, char **argv) {
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {10000, 200000, 1000000};
  std::printf("%10s %14s %11s %17s %9s\n", "names", "peak heap", "bytes/name", "worst bytes/name",
              "ns/claim");
  for (int count : counts) {
    if (count <= 0) continue;
    Measure(count);  // warm the allocator and the caches
    const Result result = Measure(count);
    std::printf("%10d %14.0f %11.1f %17.1f %9.1f\n", count, result.bytesPerName * count,
                result.bytesPerName, result.worstBytesPerName, result.nsPerClaim);
  }
  return 0;
}
