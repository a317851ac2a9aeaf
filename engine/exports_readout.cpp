// Read-out exports that need only the finished matrix.
#include "QRCodeWin32.h"
#include "encode_symbol.h"
#include "picture.h"

using qr::engineState;

extern "C" {

void QRAPI QRGetActualRC(short *outRows, short *outColumns) {
  qr::SymbolMatrix matrix;
  const short side = qr::EncodeSymbol(engineState, matrix) == qr::EncodeResult::kWritten
                         ? static_cast<short>(matrix.side())
                         : 0;
  if (outRows) *outRows = side;
  if (outColumns) *outColumns = side;
}

short QRAPI QRGetPatternData(char *buffer, unsigned int *ioSize, short *outRows,
                             short *outColumns) {
  qr::SymbolMatrix matrix;
  if (qr::EncodeSymbol(engineState, matrix) != qr::EncodeResult::kWritten) {
    if (ioSize) *ioSize = 0;
    if (outRows) *outRows = 0;
    if (outColumns) *outColumns = 0;
    return -1;
  }
  const int S = matrix.side();
  const unsigned needed = static_cast<unsigned>(S * S);
  if (ioSize == nullptr || *ioSize < needed || buffer == nullptr) {
    if (ioSize) *ioSize = needed;
    if (outRows) *outRows = static_cast<short>(S);
    if (outColumns) *outColumns = static_cast<short>(S);
    return 0;
  }
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) buffer[y * S + x] = qr::PictureModule(matrix, x, y) ? '1' : '0';
  return -1;
}

}  // extern "C"
