// The engine's drawing and outputs against Windows GDI itself: the symbol
// drawn on a device context, the bitmap file against GDI's own read-back of
// that drawing (1 and 4 bits per pixel), the metafile played by
// PlayMetaFile and the clipboard's enhanced metafile by PlayEnhMetaFile;
// files replaced whole, never a folder, under ANSI (GBK) names.
// Prints each check; the exit code is the number of failures.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "QRCodeWin32.h"
#include "gdi_check.h"

namespace {

using wintest::Check;
using wintest::failures;
using wintest::ReadFileBytes;

std::string TempFile(const char *name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "engine_output_" + name;
}

// Surfaces start grey, a colour none of the drawings here uses.
constexpr COLORREF kGrey = RGB(128, 128, 128);

// The drawing read back by GDI as a bitmap file's info header, colour
// table and rows at `bits` per pixel (what the bitmap file holds from
// offset 14 on).
std::vector<unsigned char> ReadBack(wintest::Surface &surface, int bits) {
  const int colours = bits <= 8 ? 1 << bits : 0;
  std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + 4 * colours, 0);
  auto *header = reinterpret_cast<BITMAPINFOHEADER *>(info.data());
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = surface.width;
  header->biHeight = surface.height;
  header->biPlanes = 1;
  header->biBitCount = static_cast<WORD>(bits);
  header->biCompression = BI_RGB;
  const size_t stride = (static_cast<size_t>(bits) * surface.width + 31) / 32 * 4;
  std::vector<unsigned char> rows(stride * surface.height);
  surface.ReadBits(reinterpret_cast<BITMAPINFO *>(info.data()), rows.data());
  std::vector<unsigned char> table(info.begin() + sizeof(BITMAPINFOHEADER), info.end());
  table.insert(table.end(), rows.begin(), rows.end());
  return table;
}

// Colour table and pixel rows of a bitmap file.
std::vector<unsigned char> TableAndRows(const std::vector<unsigned char> &file) {
  if (file.size() < 54) return {};
  return std::vector<unsigned char>(file.begin() + 54, file.end());
}

std::vector<unsigned char> SavedBitmap(const char *name) {
  const std::string path = TempFile(name);
  Check(QRSaveAsBMP(path.c_str()) == -1, std::string("QRSaveAsBMP ") + name);
  return ReadFileBytes(path);
}

void Recipe(const char *message, int width, int height, int orientation, int frame) {
  QRSetDefault();
  QRSetMessage(message);
  QRSetBackColor(255, 255, 255);
  QRSetBarColor(0, 0, 0);
  QRConfigure(0, 1, 5);
  QRSetSize(width, height);
  QRAppearance(0.2, orientation, frame);
}

void BitmapFileMatchesGdiReadBackOfTheDrawing() {
  for (int orientation = 0; orientation < 4; ++orientation)
    for (int frame = 0; frame < 3; ++frame) {
      Recipe("GDI READ-BACK", 230, 210, orientation, frame);
      wintest::Surface surface(230, 210, kGrey);
      QRRender(surface.dc, 0, 0);
      const bool same = TableAndRows(SavedBitmap("one_bit.bmp")) == ReadBack(surface, 1);
      Check(same, "1-bit file = GDI, orientation " + std::to_string(orientation) + ", frame " +
                      std::to_string(frame));
    }
}

void FourBitPaletteAndNearestColoursMatchGdi() {
  const struct {
    int bar[3], back[3];
  } colours[] = {
      {{200, 0, 0}, {250, 250, 190}}, {{0, 0, 1}, {255, 255, 255}}, {{0, 100, 0}, {200, 200, 200}},
      {{90, 90, 160}, {255, 255, 0}}, {{0, 0, 0}, {140, 140, 140}}, {{130, 0, 130}, {0, 200, 220}},
  };
  for (const auto &c : colours) {
    Recipe("PALETTE", 101, 99, 0, 1);
    QRSetBarColor(c.bar[0], c.bar[1], c.bar[2]);
    QRSetBackColor(c.back[0], c.back[1], c.back[2]);
    wintest::Surface surface(101, 99, kGrey);
    QRRender(surface.dc, 0, 0);
    const std::vector<unsigned char> ours = TableAndRows(SavedBitmap("four_bit.bmp")),
                                     gdi = ReadBack(surface, 4);
    const bool same = ours == gdi;
    char what[96];
    std::snprintf(what, sizeof what, "4-bit file = GDI, bars %d,%d,%d on %d,%d,%d", c.bar[0],
                  c.bar[1], c.bar[2], c.back[0], c.back[1], c.back[2]);
    Check(same, what);
  }
}

void RenderRestoresTheMappingAndDrawsInDeviceUnits() {
  Recipe("MAPPING", 200, 200, 1, 2);
  wintest::Surface reference(200, 200, kGrey);
  QRRender(reference.dc, 0, 0);
  wintest::Surface surface(200, 200, kGrey);
  SetMapMode(surface.dc, MM_LOMETRIC);
  QRRender(surface.dc, 0, 0);
  Check(GetMapMode(surface.dc) == MM_LOMETRIC, "QRRender leaves the mapping mode as it found it");
  Check(ReadBack(surface, 1) == ReadBack(reference, 1),
        "QRRender draws in device units whatever the mapping");
}

void MetafilePlaysBackAsTheBitmap() {
  for (int orientation = 0; orientation < 4; ++orientation) {
    Recipe("WMF PLAYBACK", 190, 170, orientation, orientation % 3);
    const std::string path = TempFile("played.wmf");
    Check(QRSaveAsWMF(path.c_str()) == -1, "QRSaveAsWMF");
    const std::vector<unsigned char> file = ReadFileBytes(path);
    if (file.size() <= 22) {
      Check(false, "metafile file holds records");
      continue;
    }
    HMETAFILE metafile = SetMetaFileBitsEx(static_cast<UINT>(file.size() - 22), file.data() + 22);
    Check(metafile != nullptr, "GDI accepts the metafile");
    wintest::Surface surface(190, 170, kGrey);
    PlayMetaFile(surface.dc, metafile);
    DeleteMetaFile(metafile);
    Check(ReadBack(surface, 1) == TableAndRows(SavedBitmap("wmf_reference.bmp")),
          "played metafile = bitmap file, orientation " + std::to_string(orientation));
  }
}

void ClipboardHoldsAnEnhancedMetafileOfTheDrawing() {
  Recipe("CLIPBOARD", 210, 190, 1, 2);
  Check(QRCopyToClipboard() == -1, "QRCopyToClipboard");
  Check(IsClipboardFormatAvailable(CF_ENHMETAFILE) != 0, "enhanced metafile on the clipboard");
  if (!OpenClipboard(nullptr)) {
    Check(false, "clipboard opens for reading");
    return;
  }
  HENHMETAFILE metafile = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
  wintest::Surface surface(210, 190, kGrey);
  if (metafile) {
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(metafile, sizeof header, &header);
    Check(header.rclBounds.right == 209 && header.rclBounds.bottom == 189, "bounds of the area");
    const RECT area{0, 0, 210, 190};
    PlayEnhMetaFile(surface.dc, metafile, &area);
  }
  CloseClipboard();
  Check(metafile != nullptr, "clipboard hands the metafile back");
  Check(ReadBack(surface, 1) == TableAndRows(SavedBitmap("emf_reference.bmp")),
        "played clipboard image = bitmap file");
}

void FailedClipboardCopyLeavesTheClipboardAlone() {
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 6);
    std::memcpy(GlobalLock(text), "kept!", 6);
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();
  }
  Recipe(std::string(7090, '1').c_str(), 100, 100, 0, 0);
  Check(QRCopyToClipboard() == 0, "message that fits no version: QRCopyToClipboard fails");
  Check(IsClipboardFormatAvailable(CF_TEXT) != 0 && IsClipboardFormatAvailable(CF_ENHMETAFILE) == 0,
        "the clipboard keeps its text");
}

void ActualSizeOnTheScreen() {
  Recipe("12", 300, 300, 1, 0);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  const double q = dpi * 0.2f / 2.54;
  int m = static_cast<int>(q);
  if (q - m > 0.5) ++m;
  int width = 0, height = 0;
  QRGetActualSize(-1, nullptr, &width, &height);
  Check(width == 21 * m && height == 21 * m,
        "QRGetActualSize on the screen: 21 modules of " + std::to_string(m));
}

// Names in a folder, as the system lists them.
std::set<std::string> NamesIn(const std::string &folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0)
      names.insert(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

bool IsFolder(const std::string &path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void WriteText(const std::string &path, const char *text) {
  if (FILE *file = std::fopen(path.c_str(), "wb")) {
    std::fputs(text, file);
    std::fclose(file);
  }
}

void FilesAreReplacedWholeAndFoldersStay() {
  const std::string folder = TempFile("whole");
  CreateDirectoryA(folder.c_str(), nullptr);
  for (const std::string &name : NamesIn(folder)) {
    const std::string path = folder + "\\" + name;
    if (!DeleteFileA(path.c_str())) RemoveDirectoryA(path.c_str());
  }
  // A GBK name whose second character ends in byte 5C, a backslash in
  // ASCII: the engine must not take it for a folder separator.
  const std::string name = "\xb2\xe2\x81\x5c.jpg";  // two Chinese characters
  const std::string path = folder + "\\" + name, other = folder + "\\other",
                    inner = folder + "\\d.jpg";
  WriteText(path, "old");
  Check(CreateHardLinkA(other.c_str(), path.c_str(), nullptr) != 0,
        "a second name of the old file");
  Recipe("WHOLE", 64, 64, 1, 0);
  Check(QRSaveAsBMP(path.c_str()) == -1, "QRSaveAsBMP replaces a file under a GBK name");
  Check(ReadFileBytes(path).size() == 62u + 8 * 64, "the new file is whole");
  Check(ReadFileBytes(other) == std::vector<unsigned char>{'o', 'l', 'd'},
        "a hard link keeps the old bytes");
  Check(QRSaveAsWMF(path.c_str()) == -1, "QRSaveAsWMF replaces it");

  CreateDirectoryA(inner.c_str(), nullptr);
  Check(QRSaveAsBMP(inner.c_str()) == 0 && QRSaveAsWMF(inner.c_str()) == 0,
        "a folder under the name: both fail");
  Recipe(std::string(7090, '1').c_str(), 64, 64, 1, 0);
  Check(QRSaveAsBMP(inner.c_str()) == 0, "a message that fits no symbol: QRSaveAsBMP fails");
  Check(IsFolder(inner), "the empty folder stays");
  const std::vector<unsigned char> before = ReadFileBytes(path);
  Check(QRSaveAsBMP(path.c_str()) == 0,
        "a message that fits no symbol over a file: QRSaveAsBMP fails");
  Check(ReadFileBytes(path) == before, "the file of that name keeps its bytes");
  Check(NamesIn(folder) == std::set<std::string>{"d.jpg", "other", name},
        "the file stays, and no temporary file is left in the folder");
}

}  // namespace

int main() {
  BitmapFileMatchesGdiReadBackOfTheDrawing();
  FourBitPaletteAndNearestColoursMatchGdi();
  RenderRestoresTheMappingAndDrawsInDeviceUnits();
  MetafilePlaysBackAsTheBitmap();
  ClipboardHoldsAnEnhancedMetafileOfTheDrawing();
  FailedClipboardCopyLeavesTheClipboardAlone();
  ActualSizeOnTheScreen();
  FilesAreReplacedWholeAndFoldersStay();
  std::printf("%d failure(s)\n", failures);
  return failures;
}
