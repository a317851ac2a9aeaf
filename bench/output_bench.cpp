// Image files per second: the engine's bitmap and metafile outputs through
// its exported API, beside zint writing bitmap files of the same texts.
//   BatchBitmap:   the batch application's recipe (200 x 200, 0.2 cm modules,
//                  black on white: 1 bit per pixel), 1,000 different lines;
//   LargeBitmap:   the same lines on a 1,000 x 1,000 area in colour (4 bits);
//   Metafile:      the recipe written as a placeable metafile;
//   ZintBitmap:    zint's bitmap file of each line, 8-pixel modules.
// Each iteration writes one file into a temporary folder, replacing the last.
#include <benchmark/benchmark.h>
#include <zint.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <string>
#include <vector>

#include "QRCodeWin32.h"

namespace {

const std::vector<std::string> &Lines() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> l;
    for (long long n = 0; n < 1000; ++n) l.push_back(std::to_string(20210706001LL + n));
    return l;
  }();
  return lines;
}

// A temporary folder for the files, removed with them at exit.
class OutputFolder {
 public:
  OutputFolder() {
    char pattern[] = "/tmp/output_bench.XXXXXX";
    if (mkdtemp(pattern)) path_ = pattern;
  }
  ~OutputFolder() {
    for (const std::string &file : files_) std::remove(file.c_str());
    if (!path_.empty()) rmdir(path_.c_str());
  }
  std::string File(const char *name) {
    files_.push_back((path_.empty() ? std::string("/tmp") : path_) + "/" + name);
    return files_.back();
  }

 private:
  std::string path_;
  std::vector<std::string> files_;
};

std::string OutputFile(const char *name) {
  static OutputFolder folder;
  return folder.File(name);
}

void Recipe(const std::string &line, int size) {
  QRSetMessage(line.c_str());
  QRSetBackColor(255, 255, 255);
  QRSetBarColor(0, 0, 0);
  QRConfigure(0, 0, 5);
  QRAppearance(0.2, 1, 0);
  QRSetSize(size, size);
}

void BatchBitmap(benchmark::State &state) {
  const std::string file = OutputFile("image.jpg");
  size_t i = 0;
  for (auto _ : state) {
    Recipe(Lines()[i++ % Lines().size()], 200);
    if (QRSaveAsBMP(file.c_str()) != -1) state.SkipWithError("QRSaveAsBMP failed");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BatchBitmap);

void LargeBitmap(benchmark::State &state) {
  const std::string file = OutputFile("image.bmp");
  size_t i = 0;
  for (auto _ : state) {
    Recipe(Lines()[i++ % Lines().size()], 1000);
    QRSetBarColor(0, 0, 160);
    if (QRSaveAsBMP(file.c_str()) != -1) state.SkipWithError("QRSaveAsBMP failed");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(LargeBitmap);

void Metafile(benchmark::State &state) {
  const std::string file = OutputFile("image.wmf");
  size_t i = 0;
  for (auto _ : state) {
    Recipe(Lines()[i++ % Lines().size()], 200);
    if (QRSaveAsWMF(file.c_str()) != -1) state.SkipWithError("QRSaveAsWMF failed");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Metafile);

void ZintBitmap(benchmark::State &state) {
  const std::string file = OutputFile("zint.bmp");
  size_t i = 0;
  for (auto _ : state) {
    const std::string &line = Lines()[i++ % Lines().size()];
    zint_symbol *symbol = ZBarcode_Create();
    symbol->symbology = BARCODE_QRCODE;
    symbol->option_1 = 1;  // level L
    symbol->scale = 4.0f;  // 8 pixels per module
    std::snprintf(symbol->outfile, sizeof symbol->outfile, "%s", file.c_str());
    if (ZBarcode_Encode_and_Print(symbol, reinterpret_cast<const unsigned char *>(line.data()), static_cast<int>(line.size()), 0) >= ZINT_ERROR)
      state.SkipWithError("zint failed");
    ZBarcode_Delete(symbol);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ZintBitmap);

}  // namespace

BENCHMARK_MAIN();
