// Drawing and image-output exports (not yet implemented: they report failure).
#include "QRCodeWin32.h"

extern "C" {

void QRAPI QRRender(QRDC, int, int) {}

void QRAPI QRGetActualSize(short, QRDC, int *outWidth, int *outHeight) {
  if (outWidth) *outWidth = 0;
  if (outHeight) *outHeight = 0;
}

short QRAPI QRSaveAsBMP(const char *) { return 0; }
short QRAPI QRSaveAsWMF(const char *) { return 0; }
short QRAPI QRCopyToClipboard(void) { return 0; }

}  // extern "C"
