// Metafiles: the placeable WMF file and the enhanced metafile of the
// clipboard. Each is played back record by record onto a canvas and must
// paint what the drawing paints on a caller's device; the WMF file is also
// played by an independent player (libwmf) and read by a real decoder.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "emf_recorder.h"
#include "encode_symbol.h"
#include "image_files.h"
#include "pattern_data.h"
#include "qr_decoder.h"
#include "state_picture.h"
#include "symbol_drawing.h"

namespace {

using qrtest::Le16;
using qrtest::Le32;

std::string TempPath(const std::string &name) {
  return qrtest::RemovedAtExit(::testing::TempDir() + "metafile_output_" + name);
}

// Colours per unit of an area; lines are drawn black and must be axis-aligned.
struct Canvas {
  int width, height;
  std::vector<uint32_t> pixels;
  int penX = 0, penY = 0;

  Canvas(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, 0xDEADBEEF) {}
  void Fill(int l, int t, int r, int b, uint32_t colour) {
    for (int y = std::max(t, 0); y < std::min(b, height); ++y)
      for (int x = std::max(l, 0); x < std::min(r, width); ++x)
        pixels[static_cast<size_t>(y) * width + x] = colour;
  }
  void LineTo(int x, int y) {
    EXPECT_TRUE(x == penX || y == penY) << "diagonal line";
    const int dx = (x > penX) - (x < penX), dy = (y > penY) - (y < penY);
    for (int cx = penX, cy = penY; cx != x || cy != y; cx += dx, cy += dy)
      if (cx >= 0 && cy >= 0 && cx < width && cy < height)
        pixels[static_cast<size_t>(cy) * width + cx] = 0;
    penX = x, penY = y;
  }
};

// What the current settings paint on a caller's 96-dpi device at (0, 0).
Canvas RenderedCanvas() {
  Canvas canvas(qr::engineState.imageWidth, qr::engineState.imageHeight);
  QRDrawTarget target{};
  target.horizontalDpi = target.verticalDpi = 96;
  target.context = &canvas;
  target.fillRect = [](void *c, int l, int t, int r, int b, unsigned colour) {
    static_cast<Canvas *>(c)->Fill(l, t, r, b, colour);
  };
  target.moveTo = [](void *c, int x, int y) {
    static_cast<Canvas *>(c)->penX = x, static_cast<Canvas *>(c)->penY = y;
  };
  target.lineTo = [](void *c, int x, int y) { static_cast<Canvas *>(c)->LineTo(x, y); };
  QRRender(&target, 0, 0);
  return canvas;
}

void Settings(const char *message, int width, int height, int orientation, int frame) {
  QRSetDefault();
  QRSetMessage(message);
  QRSetBackColor(255, 255, 250);
  QRSetBarColor(20, 0, 90);
  QRSetSize(width, height);
  QRAppearance(0.07, orientation, frame);
}

int16_t Signed16(const std::vector<uint8_t> &b, size_t at) {
  return static_cast<int16_t>(Le16(b, at));
}
int32_t Signed32(const std::vector<uint8_t> &b, size_t at) {
  return static_cast<int32_t>(Le32(b, at));
}

// Plays the records of a placeable WMF file (those a fill-and-line drawing
// uses) onto a canvas of its bounding box.
Canvas PlayWmf(const std::vector<uint8_t> &file) {
  Canvas canvas(Le16(file, 10), Le16(file, 12));
  std::vector<uint32_t> objects;
  uint32_t brush = 0xDEADBEEF;
  size_t at = 22 + 18;
  while (at + 6 <= file.size()) {
    const uint32_t words = Le32(file, at);
    const uint32_t function = Le16(file, at + 4);
    const size_t p = at + 6;
    if (function == 0x0000) break;
    switch (function) {
      case 0x020C:  // window extent: y, x
        EXPECT_EQ(Signed16(file, p), canvas.height);
        EXPECT_EQ(Signed16(file, p + 2), canvas.width);
        break;
      case 0x020B: EXPECT_EQ(Le32(file, p), 0u); break;
      case 0x02FC:
        EXPECT_EQ(Le16(file, p), 0u) << "solid brush";
        objects.push_back(Le32(file, p + 2));
        break;
      case 0x012D: brush = objects.at(Le16(file, p)); break;
      case 0x061D: {  // rop, height, width, y, x
        EXPECT_EQ(Le32(file, p), 0x00F00021u);
        const int h = Signed16(file, p + 4), w = Signed16(file, p + 6), y = Signed16(file, p + 8),
                  x = Signed16(file, p + 10);
        canvas.Fill(x, y, x + w, y + h, brush);
        break;
      }
      case 0x0214: canvas.penY = Signed16(file, p), canvas.penX = Signed16(file, p + 2); break;
      case 0x0213: canvas.LineTo(Signed16(file, p + 2), Signed16(file, p)); break;
      default: ADD_FAILURE() << "unexpected record " << std::hex << function;
    }
    at += 2 * static_cast<size_t>(words);
  }
  return canvas;
}

// Plays an enhanced metafile onto a canvas of its bounds.
Canvas PlayEmf(const std::vector<uint8_t> &emf) {
  Canvas canvas(Signed32(emf, 16) + 1, Signed32(emf, 20) + 1);
  std::vector<uint32_t> handles(Le16(emf, 48), 0xDEADBEEF);
  uint32_t brush = 0xDEADBEEF;
  size_t at = 0;
  while (at + 8 <= emf.size()) {
    const uint32_t type = Le32(emf, at), size = Le32(emf, at + 4);
    const size_t p = at + 8;
    switch (type) {
      case 1: break;
      case 17: EXPECT_EQ(Le32(emf, p), 1u) << "device units"; break;
      case 9:
        EXPECT_EQ(Signed32(emf, p), canvas.width);
        EXPECT_EQ(Signed32(emf, p + 4), canvas.height);
        break;
      case 10: EXPECT_EQ(Le32(emf, p) | Le32(emf, p + 4), 0u); break;
      case 39:
        EXPECT_EQ(Le32(emf, p + 4), 0u) << "solid brush";
        handles.at(Le32(emf, p)) = Le32(emf, p + 8);
        break;
      case 37: brush = handles.at(Le32(emf, p)); break;
      case 76: {
        EXPECT_EQ(Le32(emf, p + 32), 0x00F00021u);
        EXPECT_EQ(Le32(emf, p + 76), 0u) << "no source bitmap";
        const int x = Signed32(emf, p + 16), y = Signed32(emf, p + 20);
        canvas.Fill(x, y, x + Signed32(emf, p + 24), y + Signed32(emf, p + 28), brush);
        break;
      }
      case 27: canvas.penX = Signed32(emf, p), canvas.penY = Signed32(emf, p + 4); break;
      case 54: canvas.LineTo(Signed32(emf, p), Signed32(emf, p + 4)); break;
      case 14: EXPECT_EQ(at + size, emf.size()) << "end-of-file record last"; break;
      default: ADD_FAILURE() << "unexpected record " << type;
    }
    EXPECT_EQ(size % 4, 0u);
    if (size == 0) break;
    at += size;
  }
  return canvas;
}

std::vector<uint8_t> RecordEmf() {
  qr::SymbolMatrix matrix;
  qr::engineState.modulePixels = qr::ModulePixels(96, qr::engineState.moduleSize, 0);
  EXPECT_EQ(qr::EncodeSymbol(qr::engineState, matrix), qr::EncodeResult::kWritten);
  qr::EmfRecorder recorder(qr::engineState.imageWidth, qr::engineState.imageHeight);
  qr::DrawSymbol(recorder, qr::PlacementOf(qr::engineState, matrix.side()), matrix,
                 qr::StyleOf(qr::engineState), 0, 0);
  return recorder.Finish(qr::ScreenMetrics{96, 96, 1024, 768, 271, 203});
}

TEST(WmfFile, PlaceableHeaderForA500By300Area) {
  Settings("12", 500, 300, 0, 0);
  const std::string path = TempPath("header.wmf");
  ASSERT_EQ(QRSaveAsWMF(path.c_str()), -1);
  const std::vector<uint8_t> b = qrtest::ReadFileBytes(path);
  ASSERT_GT(b.size(), 40u);
  const std::vector<uint8_t> expected{0xD7, 0xCD, 0xC6, 0x9A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                      0xF4, 0x01, 0x2C, 0x01, 0x60, 0x00, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 20), expected);
  uint32_t checksum = 0;
  for (int i = 0; i < 10; ++i) checksum ^= Le16(b, 2 * i);
  EXPECT_EQ(Le16(b, 20), checksum);

  // Metafile header: in memory, nine words, version 3.0, the size in words.
  EXPECT_EQ(Le16(b, 22), 1u);
  EXPECT_EQ(Le16(b, 24), 9u);
  EXPECT_EQ(Le16(b, 26), 0x0300u);
  EXPECT_EQ(Le32(b, 28), (b.size() - 22) / 2);
  // The largest record is the pattern blit (nine words); the last is the end.
  EXPECT_EQ(Le32(b, 34), 9u);
  EXPECT_EQ(Le32(b, b.size() - 6), 3u);
  EXPECT_EQ(Le16(b, b.size() - 2), 0u);
}

TEST(WmfFile, RecordsPaintWhatTheDrawingPaints) {
  for (int frame = 0; frame < 3; ++frame)
    for (int orientation = 0; orientation < 4; ++orientation) {
      SCOPED_TRACE(testing::Message() << "orientation " << orientation << ", frame " << frame);
      Settings("WMF RECORDS", 131, 97, orientation, frame);
      const std::string path = TempPath("records.wmf");
      ASSERT_EQ(QRSaveAsWMF(path.c_str()), -1);
      const Canvas played = PlayWmf(qrtest::ReadFileBytes(path));
      EXPECT_TRUE(played.pixels == RenderedCanvas().pixels);
    }
}

TEST(WmfFile, SymbolLargerThanTheAreaIsCutAtItsEdges) {
  Settings("CUT", 40, 40, 0, 2);
  const std::string path = TempPath("cut.wmf");
  ASSERT_EQ(QRSaveAsWMF(path.c_str()), -1);
  EXPECT_TRUE(PlayWmf(qrtest::ReadFileBytes(path)).pixels == RenderedCanvas().pixels);
}

TEST(WmfFile, AnotherPlayerShowsAReadableSymbol) {
#ifndef QR_WMF2GD
  GTEST_SKIP() << "wmf2gd not installed";
#else
  QRSetDefault();
  QRSetMessage("PLAYED BY LIBWMF");
  QRSetSize(400, 300);
  QRAppearance(0.2, 1, 2);
  const std::string wmf = TempPath("played.wmf"), png = TempPath("played.png");
  ASSERT_EQ(QRSaveAsWMF(wmf.c_str()), -1);
  std::remove(png.c_str());
  const std::string command = std::string(QR_WMF2GD) +
                              " --maxsize --maxwidth=400 --maxheight=300 -o '" + png + "' '" + wmf +
                              "' >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::vector<uint8_t> grey;
  int width = 0, height = 0;
  ASSERT_TRUE(qrtest::ReadPngGrey(png, grey, width, height));
  EXPECT_EQ(width, 400);
  EXPECT_EQ(height, 300);
  EXPECT_EQ(qrtest::DecodeGrey(grey, width, height).bytes, "PLAYED BY LIBWMF");
#endif
}

TEST(WmfFile, FailuresReturnZeroAndKeepTheFileOfThatName) {
  const std::string path = TempPath("failure.wmf"), fresh = TempPath("failure_fresh.wmf");
  std::remove(fresh.c_str());  // an earlier run's
  std::ofstream(path) << "old";
  Settings(std::string(7090, '1').c_str(), 100, 100, 0, 0);
  EXPECT_EQ(QRSaveAsWMF(path.c_str()), 0);
  EXPECT_EQ(QRSaveAsWMF(fresh.c_str()), 0);

  Settings("12", 0x8000, 100, 0, 0);  // beyond 16-bit metafile coordinates
  EXPECT_EQ(QRSaveAsWMF(path.c_str()), 0);
  Settings("12", 100, -1, 0, 0);
  EXPECT_EQ(QRSaveAsWMF(path.c_str()), 0);
  const std::vector<uint8_t> kept = qrtest::ReadFileBytes(path);
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "old");
  EXPECT_FALSE(qrtest::FileExists(fresh));

  Settings("12", 100, 100, 0, 0);
  EXPECT_EQ(QRSaveAsWMF((::testing::TempDir() + "no such folder/x.wmf").c_str()), 0);
  EXPECT_EQ(QRSaveAsWMF(nullptr), 0);
}

TEST(EnhancedMetafile, HeaderDescribesTheRecords) {
  Settings("EMF", 500, 300, 1, 1);
  const std::vector<uint8_t> emf = RecordEmf();
  ASSERT_GE(emf.size(), 108u);
  EXPECT_EQ(Le32(emf, 0), 1u);
  EXPECT_EQ(Le32(emf, 4), 108u);
  EXPECT_EQ(Signed32(emf, 8), 0);  // bounds, inclusive
  EXPECT_EQ(Signed32(emf, 16), 499);
  EXPECT_EQ(Signed32(emf, 20), 299);
  EXPECT_EQ(Le32(emf, 40), 0x464D4520u);
  EXPECT_EQ(Le32(emf, 44), 0x10000u);
  EXPECT_EQ(Le32(emf, 48), emf.size());
  uint32_t records = 0;
  for (size_t at = 0; at < emf.size(); at += Le32(emf, at + 4)) ++records;
  EXPECT_EQ(Le32(emf, 52), records);
  EXPECT_EQ(Le16(emf, 56), 3u);  // two brushes and the reserved handle 0
  // Frame in 0.01 mm: 500 pixels of 271 mm / 1024.
  EXPECT_EQ(Le32(emf, 32), 500u * 271 * 100 / 1024);
}

TEST(EnhancedMetafile, RecordsPaintWhatTheDrawingPaints) {
  for (int frame = 0; frame < 3; ++frame)
    for (int orientation = 0; orientation < 4; ++orientation) {
      SCOPED_TRACE(testing::Message() << "orientation " << orientation << ", frame " << frame);
      Settings("EMF RECORDS", 97, 131, orientation, frame);
      EXPECT_TRUE(PlayEmf(RecordEmf()).pixels == RenderedCanvas().pixels);
    }
}

TEST(Clipboard, UnavailableOffWindows) {
#ifndef _WIN32
  Settings("12", 100, 100, 0, 0);
  EXPECT_EQ(QRCopyToClipboard(), 0);
#endif
}

}  // namespace
