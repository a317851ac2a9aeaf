// Symbols per second of the engine beside three general QR libraries, on the
// same inputs, measured round-robin: in every round each subject encodes a
// batch of the case's inputs in turn (A B C D A B C D ...), so load from
// other processes falls on all subjects alike. A subject's figure is the
// median over the rounds of its thread CPU time per symbol; its speed
// against libqrencode is the median of the per-round ratios.
//
// Cases:
//   Recipe_v1_mask4: 11-digit lines 20210706001 onwards, level L, mask 4
//                    forced (the batch application's settings), version 1;
//   Digits_v1_auto:  the same lines with automatic mask;
//   Text100_v6_auto: printable 100-byte texts, level M, automatic mask;
//   Text2900_v40_auto: printable 2,900-byte texts, level L, automatic mask.
//
// "engine" and "engine -O2" encode only (the internal encoding every export
// runs first, into the module matrix); "engine exports + read-out" adds the
// exported API's setters and QRGetPatternData's '0'/'1' text. The peers
// encode only, into their own module arrays.
//
// Usage: engine_bench [ROUNDS] [CASE-SUBSTRING]
#include <qrencode.h>
#include <zint.h>
#include <qrcodegen/qrcodegen.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "QRCodeWin32.h"
#include "encode_symbol.h"
#include "engine_state.h"

// The same encoding compiled at -O2 (engine_o2_entry.cpp).
bool EncodeWithO2Engine(const char *message, int level, int maskSetting, int *side);

// Exported by libqrencode's shared library but not declared in its header:
// encodes with the given mask pattern (-1: automatic choice).
extern "C" QRcode *QRcode_encodeMask(QRinput *input, int mask);

#ifndef QR_BENCH_ENGINE_FLAGS
#define QR_BENCH_ENGINE_FLAGS "?"
#endif
#ifndef QR_BENCH_ENGINE_O2_FLAGS
#define QR_BENCH_ENGINE_O2_FLAGS "?"
#endif

namespace {

constexpr const char *kDebianFlags = "Debian package: -O2 -g, hardening";

struct Case {
  const char *name;
  std::vector<std::string> texts;
  int level;        // 0..3 = L, M, Q, H
  int maskPattern;  // 0..7, or -1 for the automatic choice
  bool numeric;     // every text is digits only
};

std::vector<std::string> DigitLines(int count) {
  std::vector<std::string> texts;
  for (long long n = 0; n < count; ++n) texts.push_back(std::to_string(20210706001LL + n));
  return texts;
}

std::vector<std::string> PrintableTexts(int count, int length, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::string> texts(static_cast<size_t>(count));
  for (std::string &text : texts)
    for (int i = 0; i < length; ++i) text += static_cast<char>(0x20 + random() % 95);
  return texts;
}

std::vector<Case> Cases() {
  return {
      {"Recipe_v1_mask4", DigitLines(10000), 0, 4, true},
      {"Digits_v1_auto", DigitLines(10000), 0, -1, true},
      {"Text100_v6_auto", PrintableTexts(10000, 100, 100), 1, -1, false},
      {"Text2900_v40_auto", PrintableTexts(200, 2900, 2900), 0, -1, false},
  };
}

// Encodes one text; false when the encoding failed.
using Encoder = std::function<bool(const Case &, const std::string &)>;

struct Subject {
  const char *name;
  const char *flags;
  Encoder encode;
};

// ---- The engine --------------------------------------------------------------

bool EngineEncode(const Case &c, const std::string &text) {
  static qr::EngineState state{};
  qr::SymbolMatrix matrix;
  std::memcpy(state.message, text.c_str(), text.size() + 1);
  state.requestedVersion = 0;
  state.ecLevel = static_cast<uint16_t>(c.level);
  state.maskSetting = static_cast<uint16_t>(c.maskPattern + 1);
  return qr::EncodeSymbol(state, matrix) == qr::EncodeResult::kWritten && matrix.side() > 0;
}

bool EngineO2Encode(const Case &c, const std::string &text) {
  int side = 0;
  return EncodeWithO2Engine(text.c_str(), c.level, c.maskPattern + 1, &side) && side > 0;
}

bool EngineExportsPatternData(const Case &c, const std::string &text) {
  static std::vector<char> buffer(177 * 177);
  QRSetMessage(text.c_str());
  QRConfigure(0, c.level, c.maskPattern + 1);
  unsigned size = static_cast<unsigned>(buffer.size());
  short rows = 0, columns = 0;
  // A failed encoding leaves -1 too, but with size 0.
  return QRGetPatternData(buffer.data(), &size, &rows, &columns) == -1 && size != 0;
}

// ---- Peers -------------------------------------------------------------------

bool LibqrencodeEncode(const Case &c, const std::string &text) {
  static const QRecLevel kLevels[] = {QR_ECLEVEL_L, QR_ECLEVEL_M, QR_ECLEVEL_Q, QR_ECLEVEL_H};
  // One segment of one mode, as the engine writes it.
  QRinput *input = QRinput_new2(0, kLevels[c.level]);
  QRinput_append(input, c.numeric ? QR_MODE_NUM : QR_MODE_8, static_cast<int>(text.size()),
                 reinterpret_cast<const unsigned char *>(text.data()));
  QRcode *code = QRcode_encodeMask(input, c.maskPattern);
  const bool ok = code != nullptr;
  QRcode_free(code);
  QRinput_free(input);
  return ok;
}

bool ZintEncode(const Case &c, const std::string &text) {
  static zint_symbol *symbol = ZBarcode_Create();
  ZBarcode_Clear(symbol);
  symbol->symbology = BARCODE_QRCODE;
  symbol->input_mode = DATA_MODE;
  symbol->option_1 = c.level + 1;
  symbol->option_2 = 0;
  symbol->option_3 = c.maskPattern >= 0 ? (c.maskPattern + 1) << 8 : 0;
  return ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char *>(text.data()),
                         static_cast<int>(text.size())) < ZINT_ERROR;
}

bool QrcodegenEncode(const Case &c, const std::string &text) {
  using qrcodegen::QrCode;
  using qrcodegen::QrSegment;
  static const QrCode::Ecc kLevels[] = {QrCode::Ecc::LOW, QrCode::Ecc::MEDIUM,
                                        QrCode::Ecc::QUARTILE, QrCode::Ecc::HIGH};
  std::vector<QrSegment> segments{c.numeric ? QrSegment::makeNumeric(text.c_str())
                                            : QrSegment::makeBytes({text.begin(), text.end()})};
  QrCode code = QrCode::encodeSegments(segments, kLevels[c.level], 1, 40, c.maskPattern, false);
  return code.getSize() > 0;
}

// ---- Measurement -----------------------------------------------------------

double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Runner {
  const Subject *subject;
  size_t next = 0;  // the case's next input
  long batch = 1;   // symbols per round
  long failures = 0;
  std::vector<double> perSymbol;  // seconds, one per round

  double RunBatch(const Case &c) {
    const double start = ThreadSeconds();
    for (long k = 0; k < batch; ++k) {
      if (!subject->encode(c, c.texts[next])) ++failures;
      next = next + 1 == c.texts.size() ? 0 : next + 1;
    }
    return ThreadSeconds() - start;
  }
};

void RunCase(const Case &c, const std::vector<Subject> &subjects, int rounds, double batchSeconds) {
  std::vector<Runner> runners;
  for (const Subject &subject : subjects) runners.push_back(Runner{&subject, 0, 1, 0, {}});
  // Warm-up, and a batch size that takes about batchSeconds.
  for (Runner &runner : runners) {
    runner.batch = 1;
    double seconds = runner.RunBatch(c);
    while (seconds < batchSeconds / 4 && runner.batch < (1L << 24)) {
      runner.batch *= 2;
      seconds = runner.RunBatch(c);
    }
    runner.batch =
        std::max(1L, static_cast<long>(runner.batch * batchSeconds / std::max(seconds, 1e-9)));
    runner.failures = 0;
  }
  for (int round = 0; round < rounds; ++round)
    for (Runner &runner : runners) runner.perSymbol.push_back(runner.RunBatch(c) / runner.batch);

  // libqrencode is the reference of the ratios.
  const Runner *reference = nullptr;
  for (const Runner &runner : runners)
    if (std::strcmp(runner.subject->name, "libqrencode") == 0) reference = &runner;
  std::printf("\n%s (%d rounds, median thread CPU time per symbol)\n", c.name, rounds);
  std::printf("  %-28s %12s %14s  %s\n", "subject", "us/symbol", "x libqrencode", "compiled with");
  for (const Runner &runner : runners) {
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round)
      ratios.push_back(reference->perSymbol[round] / runner.perSymbol[round]);
    std::printf("  %-28s %12.2f %14.2f  %s%s\n", runner.subject->name,
                1e6 * Median(runner.perSymbol), Median(ratios), runner.subject->flags,
                runner.failures != 0 ? "  (ENCODINGS FAILED)" : "");
  }
}

}  // namespace

int main(int argc, char **argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
  const char *filter = argc > 2 ? argv[2] : "";
  const std::vector<Subject> subjects = {
      {"engine", QR_BENCH_ENGINE_FLAGS, EngineEncode},
      {"engine -O2", QR_BENCH_ENGINE_O2_FLAGS, EngineO2Encode},
      {"engine exports + read-out", QR_BENCH_ENGINE_FLAGS, EngineExportsPatternData},
      {"libqrencode", kDebianFlags, LibqrencodeEncode},
      {"zint", kDebianFlags, ZintEncode},
      {"qrcodegen", kDebianFlags, QrcodegenEncode},
  };
  QRSetDefault();
  for (const Case &c : Cases())
    if (std::strstr(c.name, filter) != nullptr) RunCase(c, subjects, rounds, 0.02);
  return 0;
}
