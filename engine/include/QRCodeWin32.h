/*
 * QRCodeWin32 - QR Code symbol engine (Model 2, versions 1-40, levels L/M/Q/H).
 *
 * The engine is a set of plain functions over one process-wide record of
 * settings. Setters never fail: an out-of-range argument is replaced by 0 or
 * by the field's default. Producers encode the current message from scratch
 * on every call. Short results are -1 for success and 0 for failure.
 * Not thread-safe: callers serialise all calls.
 */
#ifndef QRCODEWIN32_H
#define QRCODEWIN32_H

#ifdef _WIN32
#include <windows.h>
#define QRAPI __stdcall
typedef HDC QRDC;
#else
#define QRAPI
/* Portable drawing target: the caller fills in resolutions and callbacks.
   Coordinates are device units, x to the right and y downward; colours are
   0x00BBGGRR. fillRect fills x in [left, right) and y in [top, bottom);
   lineTo draws from the current point up to, not including, (x, y) with
   the target's own pen. A resolution of 0 means the target has none. */
typedef struct QRDrawTarget {
  int horizontalDpi;
  int verticalDpi;
  void *context;
  void (*fillRect)(void *context, int left, int top, int right, int bottom, unsigned int colour);
  void (*moveTo)(void *context, int x, int y);
  void (*lineTo)(void *context, int x, int y);
} QRDrawTarget;
typedef QRDrawTarget *QRDC;
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Message "12", black on white, 500 x 300 area, module 0.07 cm, automatic
   version and mask, level L, orientation 0, no frame. Keeps the colour
   depths last set by QRSetBarColor / QRSetBackColor. */
void QRAPI QRSetDefault(void);

/* Text to encode (zero-terminated bytes, code page of the caller). At most
   the first 7,999 bytes are kept. */
void QRAPI QRSetMessage(const char *text);

/* Drawing area in pixels; 0 stands for the default (500 wide, 300 high),
   any other value - negative ones included - is stored as given. */
void QRAPI QRSetSize(int width, int height);

/* Low 16 bits of each argument: version 0 (automatic) or 1-40, the smallest
   version allowed; level 0-3 = L, M, Q, H; mask 0 (automatic) or 1-8 =
   pattern 0-7. Out-of-range values store 0. */
void QRAPI QRConfigure(int version, int level, int mask);

/* Module side in centimetres (not positive or NaN: 0.07), orientation 0-3
   (else 0), frame 0 none, 1 dashed, 2 solid (else 0). */
void QRAPI QRAppearance(double moduleSize, int orientation, int frameStyle);

/* Colour of the dark modules; a component above 255 counts as 0. */
void QRAPI QRSetBarColor(int red, int green, int blue);

/* Colour of the light modules and the area; a component above 255 counts as 0. */
void QRAPI QRSetBackColor(int red, int green, int blue);

/* Draws the symbol with the area's top-left corner at (x, y), each taken
   as its low 16 bits. Draws nothing when the message cannot be encoded. */
void QRAPI QRRender(QRDC dc, int x, int y);

/* Symbol extent in device units of the screen (screenFlag -1) or of dc;
   0 x 0 when the message cannot be encoded. */
void QRAPI QRGetActualSize(short screenFlag, QRDC dc, int *outWidth, int *outHeight);

/* Modules per side of the symbol; 0 when the message cannot be encoded. */
void QRAPI QRGetActualRC(short *outRows, short *outColumns);

/* Copies the picture of the symbol as "0"/"1" bytes, row by row, into
   buffer. When *ioSize is smaller than rows x columns, sets *ioSize and the
   sizes and returns 0 without touching buffer; otherwise fills
   rows x columns bytes (no terminator) and returns -1. A message that cannot
   be encoded sets all three outputs to 0 and returns -1. */
short QRAPI QRGetPatternData(char *buffer, unsigned int *ioSize, short *outRows, short *outColumns);

/* Writes the drawing area as a 1-bit (black on white) or 4-bit bitmap file,
   replacing any file of that name; the file is on the disk when this
   returns. -1 when written, 0 otherwise. On 0 a file of that name is kept
   as it was, also when the message cannot be encoded (earlier versions
   deleted it then). */
short QRAPI QRSaveAsBMP(const char *fileName);

/* Writes the drawing area as a placeable Windows metafile, replacing any
   file of that name; the file is on the disk when this returns. -1 when
   written, 0 otherwise. On 0 a file of that name is kept as it was (earlier
   versions deleted it when the message could not be encoded). */
short QRAPI QRSaveAsWMF(const char *fileName);

/* Puts the drawing area on the clipboard as an enhanced metafile. -1 when
   the clipboard holds it, 0 otherwise (always 0 without a clipboard). */
short QRAPI QRCopyToClipboard(void);

#ifdef __cplusplus
}
#endif

#endif /* QRCODEWIN32_H */
