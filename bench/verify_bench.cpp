// verify_bench: what reading an image back costs qrbatch --verify per line,
// at the batch's 200 x 200 pixels on one core: the grey pixels taken from
// the bitmap (or PNG) file's bytes, then zxing-cpp's read and the
// comparison. Beside it, drawing the same line, for scale. Not a test; run
// it by hand from the build tree (goal: at most 0.5 ms per line added).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "png_image.h"
#include "symbol_engine.h"
#include "symbol_verifier.h"

namespace {

// The kinds of lines a batch holds, up to version 2 (200 x 200 at 8 px).
const std::vector<std::string> &Lines() {
  static const std::vector<std::string> lines = {"20210706001", "https://example.com/p?id=4201",
                                                 "\xB2\xFA\xC6\xB7 1 \xBA\xC5",
                                                 "Stainless bottle 750ml, blue"};
  return lines;
}

struct Drawn {
  std::vector<std::vector<uint8_t>> bitmaps, pngs;
};

const Drawn &Images() {
  static const Drawn drawn = [] {
    Drawn d;
    qr::SymbolEngine engine;
    qr::BitmapImage bitmap;
    qrimage::PngEncoder png;
    for (const std::string &line : Lines()) {
      engine.Encode(line.data(), line.size(), qr::SymbolSettings{0, 0, 5});
      engine.DrawBitmap(200, 200, 8, bitmap);
      std::vector<uint8_t> file(bitmap.headers);
      file.insert(file.end(), bitmap.rows, bitmap.rows + bitmap.rowBytes);
      d.bitmaps.push_back(file);
      d.pngs.emplace_back();
      png.Encode(bitmap, d.pngs.back());
    }
    return d;
  }();
  return drawn;
}

void DrawOnly(benchmark::State &state) {
  qr::SymbolEngine engine;
  qr::BitmapImage bitmap;
  size_t i = 0;
  for (auto _ : state) {
    const std::string &line = Lines()[i++ % Lines().size()];
    engine.Encode(line.data(), line.size(), qr::SymbolSettings{0, 0, 5});
    benchmark::DoNotOptimize(engine.DrawBitmap(200, 200, 8, bitmap));
  }
}
BENCHMARK(DrawOnly);

void VerifyBitmapFile(benchmark::State &state) {
  const Drawn &drawn = Images();
  qrverify::GreyImage grey;
  size_t i = 0;
  for (auto _ : state) {
    const size_t k = i++ % drawn.bitmaps.size();
    qrplatform::Outcome read =
        grey.FromBitmapFile(drawn.bitmaps[k].data(), drawn.bitmaps[k].size());
    if (read) read = grey.Verify(Lines()[k]);
    if (!read) state.SkipWithError(read.reason().c_str());
  }
}
BENCHMARK(VerifyBitmapFile);

void VerifyPngFile(benchmark::State &state) {
  const Drawn &drawn = Images();
  qrverify::GreyImage grey;
  size_t i = 0;
  for (auto _ : state) {
    const size_t k = i++ % drawn.pngs.size();
    qrplatform::Outcome read = grey.FromPngFile(drawn.pngs[k].data(), drawn.pngs[k].size());
    if (read) read = grey.Verify(Lines()[k]);
    if (!read) state.SkipWithError(read.reason().c_str());
  }
}
BENCHMARK(VerifyPngFile);

}  // namespace

BENCHMARK_MAIN();
