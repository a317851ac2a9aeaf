// Encodings per second of the engine, through its exported API, side by side
// with three general QR libraries on the same inputs:
//   Recipe:     10,000 lines 20210706001 onwards, level L, automatic version,
//               mask pattern 4 forced (the batch application's settings);
//   Text100:    10,000 printable 100-byte texts, level M, automatic mask;
//   Text2900:   200 texts of 2,900 bytes, level L (version 40), automatic mask.
// Every benchmark encodes the case's inputs in turn, one per iteration, and
// reports items_per_second = symbols per second.
#include <benchmark/benchmark.h>

#include <qrcodegen/qrcodegen.hpp>
#include <qrencode.h>
#include <zint.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "QRCodeWin32.h"

// Exported by libqrencode's shared library but not declared in its header:
// encodes with the given mask pattern (-1: automatic choice).
extern "C" QRcode *QRcode_encodeMask(QRinput *input, int mask);

namespace {

struct Case {
  std::vector<std::string> texts;
  int level;        // 0..3 = L, M, Q, H
  int maskPattern;  // 0..7, or -1 for the automatic choice
  bool numeric;     // every text is digits only
};

const Case &Recipe() {
  static const Case c = [] {
    Case k{{}, 0, 4, true};
    for (long long n = 0; n < 10000; ++n) k.texts.push_back(std::to_string(20210706001LL + n));
    return k;
  }();
  return c;
}

std::vector<std::string> PrintableTexts(int count, int length, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::string> texts(static_cast<size_t>(count));
  for (std::string &text : texts)
    for (int i = 0; i < length; ++i) text += static_cast<char>(0x20 + random() % 95);
  return texts;
}

const Case &Text100() {
  static const Case c{PrintableTexts(10000, 100, 100), 1, -1, false};
  return c;
}

const Case &Text2900() {
  static const Case c{PrintableTexts(200, 2900, 2900), 0, -1, false};
  return c;
}

const Case &CaseOf(int index) {
  switch (index) {
    case 0: return Recipe();
    case 1: return Text100();
    default: return Text2900();
  }
}

const char *kCaseNames[] = {"Recipe", "Text100", "Text2900"};

void Report(benchmark::State &state, long failures) {
  state.SetItemsProcessed(state.iterations());
  if (failures != 0) state.SkipWithError("an encoding failed");
}

// ---- The engine ------------------------------------------------------------

void EnginePatternData(benchmark::State &state) {
  const Case &c = CaseOf(static_cast<int>(state.range(0)));
  std::vector<char> buffer(177 * 177);
  size_t next = 0;
  long failures = 0;
  QRSetDefault();
  for (auto _ : state) {
    const std::string &text = c.texts[next];
    next = next + 1 == c.texts.size() ? 0 : next + 1;
    QRSetMessage(text.c_str());
    QRConfigure(0, c.level, c.maskPattern + 1);
    unsigned size = static_cast<unsigned>(buffer.size());
    short rows = 0, columns = 0;
    // A failed encoding leaves -1 too, but with size 0.
    if (QRGetPatternData(buffer.data(), &size, &rows, &columns) != -1 || size == 0) ++failures;
    benchmark::DoNotOptimize(buffer.data());
  }
  Report(state, failures);
}

void EngineActualRC(benchmark::State &state) {
  const Case &c = CaseOf(static_cast<int>(state.range(0)));
  size_t next = 0;
  long failures = 0;
  QRSetDefault();
  for (auto _ : state) {
    const std::string &text = c.texts[next];
    next = next + 1 == c.texts.size() ? 0 : next + 1;
    QRSetMessage(text.c_str());
    QRConfigure(0, c.level, c.maskPattern + 1);
    short rows = 0, columns = 0;
    QRGetActualRC(&rows, &columns);
    if (rows == 0) ++failures;
    benchmark::DoNotOptimize(rows);
  }
  Report(state, failures);
}

// ---- Peers -------------------------------------------------------------------

void Libqrencode(benchmark::State &state) {
  const Case &c = CaseOf(static_cast<int>(state.range(0)));
  static const QRecLevel kLevels[] = {QR_ECLEVEL_L, QR_ECLEVEL_M, QR_ECLEVEL_Q, QR_ECLEVEL_H};
  size_t next = 0;
  long failures = 0;
  for (auto _ : state) {
    const std::string &text = c.texts[next];
    next = next + 1 == c.texts.size() ? 0 : next + 1;
    // One segment of one mode, as the engine writes it.
    QRinput *input = QRinput_new2(0, kLevels[c.level]);
    QRinput_append(input, c.numeric ? QR_MODE_NUM : QR_MODE_8, static_cast<int>(text.size()),
                   reinterpret_cast<const unsigned char *>(text.data()));
    QRcode *code = QRcode_encodeMask(input, c.maskPattern);
    if (code == nullptr) ++failures;
    benchmark::DoNotOptimize(code);
    QRcode_free(code);
    QRinput_free(input);
  }
  Report(state, failures);
}

void Zint(benchmark::State &state) {
  const Case &c = CaseOf(static_cast<int>(state.range(0)));
  zint_symbol *symbol = ZBarcode_Create();
  size_t next = 0;
  long failures = 0;
  for (auto _ : state) {
    const std::string &text = c.texts[next];
    next = next + 1 == c.texts.size() ? 0 : next + 1;
    ZBarcode_Clear(symbol);
    symbol->symbology = BARCODE_QRCODE;
    symbol->input_mode = DATA_MODE;
    symbol->option_1 = c.level + 1;
    symbol->option_2 = 0;
    symbol->option_3 = c.maskPattern >= 0 ? (c.maskPattern + 1) << 8 : 0;
    if (ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char *>(text.data()),
                        static_cast<int>(text.size())) >= ZINT_ERROR)
      ++failures;
    benchmark::DoNotOptimize(symbol->encoded_data);
  }
  ZBarcode_Delete(symbol);
  Report(state, failures);
}

void Qrcodegen(benchmark::State &state) {
  const Case &c = CaseOf(static_cast<int>(state.range(0)));
  using qrcodegen::QrCode;
  using qrcodegen::QrSegment;
  static const QrCode::Ecc kLevels[] = {QrCode::Ecc::LOW, QrCode::Ecc::MEDIUM, QrCode::Ecc::QUARTILE,
                                        QrCode::Ecc::HIGH};
  size_t next = 0;
  for (auto _ : state) {
    const std::string &text = c.texts[next];
    next = next + 1 == c.texts.size() ? 0 : next + 1;
    std::vector<QrSegment> segments{c.numeric ? QrSegment::makeNumeric(text.c_str())
                                              : QrSegment::makeBytes({text.begin(), text.end()})};
    QrCode code = QrCode::encodeSegments(segments, kLevels[c.level], 1, 40, c.maskPattern, false);
    benchmark::DoNotOptimize(code.getModule(0, 0));
  }
  Report(state, 0);
}

void Register() {
  struct Subject {
    const char *name;
    void (*run)(benchmark::State &);
  };
  const Subject subjects[] = {
      {"Engine_PatternData", EnginePatternData},
      {"Engine_ActualRC", EngineActualRC},
      {"libqrencode", Libqrencode},
      {"zint", Zint},
      {"qrcodegen", Qrcodegen},
  };
  for (int index = 0; index < 3; ++index)
    for (const Subject &subject : subjects)
      benchmark::RegisterBenchmark((std::string(kCaseNames[index]) + "/" + subject.name).c_str(), subject.run)
          ->Arg(index)
          ->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char **argv) {
  Register();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
