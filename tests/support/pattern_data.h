// The pattern data of the exported API as a string, for tests.
#pragma once

#include <string>

#include "QRCodeWin32.h"

namespace qrtest {

// Pattern data of the current message and settings; empty when it cannot
// be encoded. `side` receives the modules per side.
inline std::string PatternData(int *side = nullptr) {
  unsigned size = 0;
  short rows = 0, columns = 0;
  QRGetPatternData(nullptr, &size, &rows, &columns);
  if (side) *side = rows;
  if (size == 0) return std::string();
  std::string buffer(size, '\0');
  if (QRGetPatternData(&buffer[0], &size, &rows, &columns) != -1) return std::string();
  return buffer;
}

}  // namespace qrtest
