// The engine's single process-wide record: every setting the exports write
// and the results of the last encoding.
//
// All the state of the engine, and who owns it:
// - `engineState` below: the exports' settings and last results, one per
//   process, used by the fourteen exports only (one caller at a time).
// - Each `SymbolEngine` (app_api/symbol_engine.h) owns a SymbolMatrix and
//   a raster of its own and takes its settings per call: encoders on
//   different threads share nothing writable.
// - The working planes of an encoding (codewords, the mask choice's packed
//   trial planes) are locals of the encoding call, on its thread's stack.
// - Per-version tables shared by all encoders (the matrix layouts in
//   symbol_matrix.cpp, the mask trials' shared parts in masking.cpp): built
//   on first use through VersionCache (version_cache.h), immutable after.
// - Constant tables (version_tables, reed_solomon, format_info): constexpr
//   or const, never written.
// - The screen's resolution: asked of the system on every query
//   (screen.cpp); the bitmap export keeps its first answer in a local
//   static, initialised once.
#pragma once

#include <cstdint>

namespace qr {

constexpr int kMessageBufferSize = 8000;  // 7,999 bytes and the zero byte
constexpr int kCodewordCapacity = 8000;

// Colours are 0x00BBGGRR.
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

struct EngineState {
  // Settings.
  char message[kMessageBufferSize];
  uint32_t barColor;
  uint32_t backColor;
  int32_t barDepth;   // 1 when barColor was set plain black, else 4 (0 at load)
  int32_t backDepth;  // 1 when backColor was set plain white, else 4 (0 at load)
  int32_t imageWidth;
  int32_t imageHeight;
  float moduleSize;           // centimetres
  uint16_t orientation;       // 0..3
  uint16_t frameStyle;        // 0 none, 1 dashed, 2 solid
  uint16_t requestedVersion;  // 0 automatic, else the smallest version allowed
  uint16_t ecLevel;           // EcLevel: 0 L, 1 M, 2 Q, 3 H
  uint16_t maskSetting;       // 0 automatic, 1..8 = pattern 0..7

  // Results of the last encoding.
  int16_t version;
  int16_t dataMode;
  int32_t codewordCount;
  uint16_t codewords[kCodewordCapacity];
  int16_t maskPattern;

  // Rendering working value: module side in device units.
  int32_t modulePixels;
};

// Zero at load; the library runs no initialisation.
extern EngineState engineState;

// Writes the documented defaults (QRSetDefault).
void ApplyDefaults(EngineState &state);

}  // namespace qr
