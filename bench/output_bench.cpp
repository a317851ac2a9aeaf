// Image files per second: the engine's bitmap and metafile outputs through
// its exported API, beside zint writing bitmap files of the same texts.
//   BatchBitmap:   the batch application's recipe (200 x 200, 0.2 cm modules,
//                  black on white: 1 bit per pixel), 1,000 different lines;
//   LargeBitmap:   the same lines on a 1,000 x 1,000 area in colour (4 bits);
//   Metafile:      the recipe written as a placeable metafile;
//   ZintBitmap:    zint's bitmap file of each line, 8-pixel modules.
// Each iteration writes one file into a temporary folder, replacing the last.
// And the drawing alone, in memory, of one version-1 symbol (the batch's
// 200 x 200 image, 8-pixel modules, 1 bit per pixel):
//   Version1Bitmap:         SymbolEngine::DrawBitmap, as qrbatch calls it
//                           (raster, drawing and headers);
//   Version1Drawing:        the drawing on a ready raster, row by row;
//   Version1DrawingByFills: the same drawing one fill per dark module, as a
//                           recording target receives it (for comparison).
#include <benchmark/benchmark.h>
#include <zint.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "QRCodeWin32.h"
#include "encode_symbol.h"
#include "engine_state.h"
#include "palette_raster.h"
#include "state_picture.h"
#include "symbol_drawing.h"
#include "symbol_engine.h"

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
    if (ZBarcode_Encode_and_Print(symbol, reinterpret_cast<const unsigned char *>(line.data()),
                                  static_cast<int>(line.size()), 0) >= ZINT_ERROR)
      state.SkipWithError("zint failed");
    ZBarcode_Delete(symbol);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ZintBitmap);

void Version1Bitmap(benchmark::State &state) {
  qr::SymbolEngine engine;
  qr::SymbolSettings settings;
  settings.maskSetting = 5;
  if (engine.Encode("20210706001", 11, settings) != qr::EncodeResult::kWritten ||
      engine.version() != 1)
    state.SkipWithError("encoding failed");
  qr::BitmapImage image;
  for (auto _ : state) {
    if (!engine.DrawBitmap(200, 200, 8, image)) state.SkipWithError("DrawBitmap failed");
    benchmark::DoNotOptimize(image.rows);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Version1Bitmap);

// The batch's recipe in the engine's own state, with a version-1 symbol.
struct Version1Symbol {
  qr::EngineState state{};
  qr::SymbolMatrix matrix;
  bool encoded = false;
  Version1Symbol() {
    std::strcpy(state.message, "20210706001");
    state.maskSetting = 5;
    encoded = qr::EncodeSymbol(state, matrix) == qr::EncodeResult::kWritten && state.version == 1;
    state.barColor = 0x000000, state.backColor = 0xFFFFFF;
    state.barDepth = state.backDepth = 1;
    state.imageWidth = state.imageHeight = 200;
    state.orientation = 1;
    state.modulePixels = 8;
    placement = qr::PlacementOf(state, matrix.side());
    style = qr::StyleOf(state);
  }
  qr::PicturePlacement placement;
  qr::SymbolStyle style{};
};

void Version1Drawing(benchmark::State &state) {
  Version1Symbol symbol;
  if (!symbol.encoded) state.SkipWithError("encoding failed");
  qr::PaletteRaster raster;
  raster.Allocate(200, 200, 1);
  for (auto _ : state) {
    qr::DrawSymbolOnRaster(raster, symbol.placement, symbol.matrix, symbol.style, 0, 0);
    benchmark::DoNotOptimize(raster.pixelRows());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Version1Drawing);

void Version1DrawingByFills(benchmark::State &state) {
  Version1Symbol symbol;
  if (!symbol.encoded) state.SkipWithError("encoding failed");
  qr::PaletteRaster raster;
  raster.Allocate(200, 200, 1);
  for (auto _ : state) {
    qr::DrawSymbol(raster, symbol.placement, symbol.matrix, symbol.style, 0, 0);
    benchmark::DoNotOptimize(raster.pixelRows());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Version1DrawingByFills);

}  // namespace

BENCHMARK_MAIN();
