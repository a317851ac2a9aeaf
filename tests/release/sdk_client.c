/* A C99 caller of the engine through the released SDK (header and library
 * only): one symbol saved as a bitmap file, whose header it checks.
 *   sdk_client <bitmap file> <message> */
#include <stdio.h>
#include <string.h>

#include "QRCodeWin32.h"

int main(int argc, char **argv) {
  short rows = 0;
  short columns = 0;
  char magic[2] = {0, 0};
  FILE *file;

  if (argc != 3) {
    fprintf(stderr, "usage: sdk_client <bitmap file> <message>\n");
    return 2;
  }
  QRSetDefault();
  QRSetMessage(argv[2]);
  QRConfigure(0, 1, 0);
  QRAppearance(0.2, 1, 0);
  QRSetSize(240, 240);
  QRGetActualRC(&rows, &columns);
  if (rows < 21 || rows != columns) {
    fprintf(stderr, "QRGetActualRC gave %d x %d\n", rows, columns);
    return 1;
  }
  if (QRSaveAsBMP(argv[1]) != -1) {
    fprintf(stderr, "QRSaveAsBMP failed\n");
    return 1;
  }
  file = fopen(argv[1], "rb");
  if (file == NULL || fread(magic, 1, 2, file) != 2 || memcmp(magic, "BM", 2) != 0) {
    fprintf(stderr, "%s is not a bitmap file\n", argv[1]);
    if (file != NULL) fclose(file);
    return 1;
  }
  fclose(file);
  printf("%d x %d modules\n", rows, columns);
  return 0;
}
