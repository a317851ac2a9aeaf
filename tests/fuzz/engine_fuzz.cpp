// libFuzzer target over the engine's exported API: random setter arguments
// and messages of any bytes and length (far past the 7,999 bytes the engine
// keeps). Every message that fits must read back from the pattern data, and
// the same settings must give the same pattern again.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "QRCodeWin32.h"
#include "pattern_data.h"
#include "qr_decoder.h"

namespace {

void Fail(const char *what, size_t length) {
  std::fprintf(stderr, "engine_fuzz: %s (message of %zu bytes)\n", what, length);
  std::abort();
}

bool IsDigit(unsigned char ch) { return ch >= '0' && ch <= '9'; }

bool IsAlphanumeric(unsigned char ch) {
  return IsDigit(ch) || (ch >= 'A' && ch <= 'Z') || std::strchr(" $%*+-./:", ch) != nullptr;
}

// Whether a message fits version 40 at the level, from the standard's
// capacity table (characters per mode: numeric, alphanumeric, byte).
bool FitsVersion40(const std::string &message, int level) {
  static const size_t kCapacity[4][3] = {
      {7089, 4296, 2953}, {5596, 3391, 2331}, {3993, 2420, 1663}, {3057, 1852, 1273}};
  bool numeric = true, alphanumeric = true;
  for (unsigned char ch : message) {
    numeric = numeric && IsDigit(ch);
    alphanumeric = alphanumeric && ch != 0 && IsAlphanumeric(ch);
  }
  const int mode = numeric ? 0 : alphanumeric ? 1 : 2;
  return message.size() <= kCapacity[level][mode];
}

// The value a 16-bit setting keeps: the low 16 bits when within the bound.
int Clamped(int value, int bound) {
  const int low = static_cast<int>(static_cast<uint32_t>(value) & 0xFFFFu);
  return low <= bound ? low : 0;
}

// The settings are read from the end of an input (at most this many
// bytes); the message is what lies before them.
constexpr size_t kSettingsBytes = 80;

}  // namespace

extern "C" size_t LLVMFuzzerMutate(uint8_t *data, size_t size, size_t maxSize);

// libFuzzer's own mutations grow an input by a few bytes at a time, so on
// their own the corpus stays far below the longest messages a symbol
// holds. A quarter of the mutations copy a slice of the message part and
// insert it again, doubling lengths quickly up to -max_len.
extern "C" size_t LLVMFuzzerCustomMutator(uint8_t *data, size_t size, size_t maxSize,
                                          unsigned seed) {
  std::minstd_rand random(seed);
  if (size > kSettingsBytes && size < maxSize && random() % 4 == 0) {
    const size_t messageEnd = size - kSettingsBytes;
    const size_t start = random() % messageEnd;
    const size_t length = std::min<size_t>(1 + random() % (messageEnd - start), maxSize - size);
    const std::vector<uint8_t> slice(data + start, data + start + length);
    const size_t at = start + random() % (messageEnd - start + 1);
    std::memmove(data + at + length, data + at, size - at);
    std::memcpy(data + at, slice.data(), length);
    return size + length;
  }
  return LLVMFuzzerMutate(data, size, maxSize);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzedDataProvider input(data, size);
  if (input.ConsumeBool()) QRSetDefault();
  if (input.ConsumeBool()) QRSetSize(input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>());
  if (input.ConsumeBool())
    QRAppearance(input.ConsumeFloatingPoint<double>(), input.ConsumeIntegral<int>(),
                 input.ConsumeIntegral<int>());
  if (input.ConsumeBool())
    QRSetBarColor(input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>(),
                  input.ConsumeIntegral<int>());
  if (input.ConsumeBool())
    QRSetBackColor(input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>(),
                   input.ConsumeIntegral<int>());
  const int version = input.ConsumeIntegral<int>();
  const int level = input.ConsumeIntegral<int>();
  const int mask = input.ConsumeIntegral<int>();
  QRConfigure(version, level, mask);

  // The message: the remaining bytes, repeated to reach lengths beyond what
  // the engine keeps without needing huge inputs.
  const int repeats = input.ConsumeIntegralInRange<int>(1, 64);
  const std::string piece = input.ConsumeRemainingBytesAsString();
  std::string message;
  for (int i = 0; i < repeats; ++i) message += piece;
  QRSetMessage(message.c_str());

  // What the engine keeps: the bytes before the first zero, at most 7,999.
  std::string kept(message.c_str());
  if (kept.size() > 7999) kept.resize(7999);

  int side = 0;
  const std::string pattern = qrtest::PatternData(&side);
  // ENGINE_FUZZ_VERBOSE=1 engine_fuzz FILE... shows what each input encodes.
  if (std::getenv("ENGINE_FUZZ_VERBOSE") != nullptr)
    std::fprintf(stderr, "engine_fuzz: message of %zu bytes, level %d, side %d\n", kept.size(),
                 Clamped(level, 3), side);
  short rows = -1, columns = -1;
  QRGetActualRC(&rows, &columns);
  if (rows != side || columns != side)
    Fail("QRGetActualRC disagrees with the pattern data", kept.size());

  const int keptLevel = Clamped(level, 3);
  if (!FitsVersion40(kept, keptLevel)) {
    if (!pattern.empty() || side != 0)
      Fail("a message too long for version 40 was encoded", kept.size());
    return 0;
  }
  if (pattern.empty()) Fail("a message that fits was not encoded", kept.size());
  if (side < 17 + 4 * Clamped(version, 40))
    Fail("symbol smaller than the requested version", kept.size());
  if (qrtest::PatternData() != pattern) Fail("same settings gave another symbol", kept.size());

  const qrtest::Decoded decoded = qrtest::DecodePattern(pattern, side);
  if (!decoded.ok) Fail("symbol unreadable", kept.size());
  if (decoded.bytes != kept) Fail("symbol reads back another message", kept.size());
  if (decoded.ecLevel != std::string(1, "LMQH"[keptLevel]))
    Fail("symbol has another level", kept.size());
  return 0;
}
