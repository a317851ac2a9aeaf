// QRCodeWin32.dll as shipped: loaded from this program's folder and bound by
// name, the way the application binds it. Checks the exports, the setters'
// limits as the producers show them, the files against the native engine's
// references (folder given as the only argument), and QRRender and the
// clipboard image against the bitmap file.
// Prints each check; the exit code is the number of failures.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "gdi_check.h"
#include "output_recipes.h"

namespace {

using qrtest::EngineCalls;
using qrtest::OutputRecipe;
using Bytes = std::vector<unsigned char>;
using Pixels = std::vector<unsigned>;  // 0x00RRGGBB, rows top to bottom

using wintest::Check;
using wintest::failures;
using wintest::ReadFileBytes;

std::string OwnFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

// Binds one export by its plain name; its decorated __stdcall name
// ("QRConfigure@12") must not be exported as well.
template <class Function>
bool Bind(HMODULE dll, const char *name, int argumentBytes, Function &slot) {
  slot = reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(dll, name)));
  const std::string decorated = std::string(name) + "@" + std::to_string(argumentBytes);
  Check(GetProcAddress(dll, decorated.c_str()) == nullptr, "not exported: " + decorated);
  return Check(slot != nullptr, std::string("exported: ") + name);
}

bool BindExports(HMODULE dll, EngineCalls &api) {
  // `&`, not `&&`: every export is checked.
  return Bind(dll, "QRSetDefault", 0, api.setDefault) &
         Bind(dll, "QRSetMessage", 4, api.setMessage) & Bind(dll, "QRSetSize", 8, api.setSize) &
         Bind(dll, "QRConfigure", 12, api.configure) &
         Bind(dll, "QRAppearance", 16, api.appearance) &
         Bind(dll, "QRSetBarColor", 12, api.setBarColor) &
         Bind(dll, "QRSetBackColor", 12, api.setBackColor) & Bind(dll, "QRRender", 12, api.render) &
         Bind(dll, "QRGetActualSize", 16, api.getActualSize) &
         Bind(dll, "QRGetActualRC", 8, api.getActualRC) &
         Bind(dll, "QRGetPatternData", 16, api.getPatternData) &
         Bind(dll, "QRSaveAsBMP", 4, api.saveAsBmp) & Bind(dll, "QRSaveAsWMF", 4, api.saveAsWmf) &
         Bind(dll, "QRCopyToClipboard", 0, api.copyToClipboard);
}

// The pixels of a 1- or 4-bit bitmap file through its colour table.
Pixels BitmapPixels(const Bytes &file, int &width, int &height) {
  width = height = 0;
  if (file.size() < 62 || file[0] != 'B' || file[1] != 'M') return {};
  auto u32 = [&](size_t at) {
    return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | unsigned(file[at + 3]) << 24;
  };
  const int w = static_cast<int>(u32(18)), h = static_cast<int>(u32(22)), bits = file[28];
  const size_t offset = u32(10), stride = (static_cast<size_t>(bits) * w + 31) / 32 * 4;
  if ((bits != 1 && bits != 4) || w <= 0 || h <= 0 || offset + stride * h > file.size()) return {};
  Pixels pixels(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned char byte = file[offset + stride * (h - 1 - y) + x * bits / 8];
      const int index = bits == 1 ? byte >> (7 - x % 8) & 1 : (x % 2 ? byte & 15 : byte >> 4);
      pixels[static_cast<size_t>(y) * w + x] = u32(54 + 4 * index) & 0xFFFFFF;
    }
  width = w;
  height = h;
  return pixels;
}

// Surfaces start in a colour the engine never draws here.
constexpr COLORREF kUnusedColour = RGB(255, 0, 255);

// The surface's pixels as 0x00RRGGBB, rows top to bottom.
Pixels ReadPixels(wintest::Surface &surface) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = surface.width;
  info.bmiHeader.biHeight = -surface.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  Pixels pixels(static_cast<size_t>(surface.width) * surface.height);
  surface.ReadBits(&info, pixels.data());
  for (unsigned &pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

// Compares a drawing with the bitmap file written for the same settings.
void CheckSameAsFile(wintest::Surface &surface, const Bytes &file, const std::string &what) {
  int width, height;
  const Pixels expected = BitmapPixels(file, width, height);
  const Pixels drawn = ReadPixels(surface);
  size_t differing = 0;
  for (size_t i = 0; i < drawn.size() && i < expected.size(); ++i)
    differing += drawn[i] != expected[i];
  Check(width == surface.width && height == surface.height && differing == 0,
        what + " (" + std::to_string(differing) + " pixels differ)");
}

unsigned Rgb(const int c[3]) { return unsigned(c[0]) << 16 | c[1] << 8 | c[2]; }

// Whether the recipe's colours are exact entries of the file's colour
// table, so a drawing in true colour must match the file pixel for pixel.
bool ColoursInTable(const OutputRecipe &recipe, const Bytes &file) {
  if (recipe.defaultsOnly) return true;  // black on white
  if (file.size() < 62) return false;
  const size_t entries = file[28] == 1 ? 2 : 16;
  bool bar = false, back = false;
  for (size_t i = 0; i < entries && 54 + 4 * i + 3 <= file.size(); ++i) {
    const unsigned colour =
        unsigned(file[54 + 4 * i + 2]) << 16 | file[54 + 4 * i + 1] << 8 | file[54 + 4 * i];
    bar |= colour == Rgb(recipe.bar);
    back |= colour == Rgb(recipe.back);
  }
  return bar && back;
}

void CheckFilesMatchNativeReferences(const EngineCalls &api, const std::string &own,
                                     const std::string &references) {
  for (const OutputRecipe &recipe : qrtest::kOutputRecipes) {
    const std::string name = recipe.name;
    qrtest::Apply(api, recipe);
    const std::string pattern = qrtest::PatternOf(api);
    Check(!pattern.empty() && Bytes(pattern.begin(), pattern.end()) ==
                                  ReadFileBytes(references + name + ".pattern"),
          name + ": pattern data = native engine's");
    for (const char *extension : {".bmp", ".wmf"}) {
      const std::string file = own + name + extension;
      const short result =
          extension[1] == 'b' ? api.saveAsBmp(file.c_str()) : api.saveAsWmf(file.c_str());
      const Bytes ours = ReadFileBytes(file), native = ReadFileBytes(references + name + extension);
      Check(result == -1 && !ours.empty() && ours == native,
            name + extension + " = native engine's (" + std::to_string(ours.size()) + " and " +
                std::to_string(native.size()) + " bytes)");
    }
    const Bytes bitmap = ReadFileBytes(own + name + ".bmp");
    if (!ColoursInTable(recipe, bitmap)) continue;
    int width, height;
    BitmapPixels(bitmap, width, height);
    wintest::Surface surface(width, height, kUnusedColour);
    api.render(surface.dc, 0, 0);
    CheckSameAsFile(surface, bitmap,
                    name + ": QRRender on a screen-compatible bitmap = bitmap file");
  }
}

void CheckClipboardImage(const EngineCalls &api, const std::string &own) {
  const OutputRecipe &recipe = qrtest::kOutputRecipes[3];
  qrtest::Apply(api, recipe);
  const std::string file = own + "clipboard_reference.bmp";
  api.saveAsBmp(file.c_str());
  Check(api.copyToClipboard() == -1, "QRCopyToClipboard returns -1");
  HWND owner = CreateWindowExA(0, "STATIC", "engine_dll_test", 0, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
  if (!Check(OpenClipboard(owner) != 0, "clipboard opens for reading")) return;
  HENHMETAFILE metafile = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
  Check(metafile != nullptr, "clipboard holds an enhanced metafile");
  wintest::Surface surface(recipe.width, recipe.height, kUnusedColour);
  const RECT area{0, 0, recipe.width, recipe.height};
  if (metafile) PlayEnhMetaFile(surface.dc, metafile, &area);
  CloseClipboard();
  DestroyWindow(owner);
  CheckSameAsFile(surface, ReadFileBytes(file), "played clipboard image = bitmap file");
}

void Plain(const EngineCalls &api, const char *message) {
  api.setDefault();
  api.setBackColor(255, 255, 255);
  api.setBarColor(0, 0, 0);
  api.setMessage(message);
}

void CheckSettingLimits(const EngineCalls &api, const std::string &own) {
  short rows = 0, columns = 0;
  Plain(api, "12");
  api.configure(0x10005, 1, 1);
  api.getActualRC(&rows, &columns);
  Check(rows == 37 && columns == 37, "QRConfigure(0x10005, 1, 1): version 5, 37 modules");

  Plain(api, "12");
  api.configure(0, 0, 0);
  const std::string automatic = qrtest::PatternOf(api);
  api.configure(41, 4, 9);
  Check(automatic.size() == 441 && qrtest::PatternOf(api) == automatic,
        "QRConfigure(41, 4, 9) = automatic, level L");

  Plain(api, "12");
  api.setSize(0, 0);
  const std::string defaultArea = own + "default_area.bmp";
  Check(api.saveAsBmp(defaultArea.c_str()) == -1 && ReadFileBytes(defaultArea).size() == 19262,
        "QRSetSize(0, 0): 500 x 300 one-bit file of 19,262 bytes");

  api.setSize(-10, 20);
  const std::string negative = own + "negative.bmp";
  Check(api.saveAsBmp(negative.c_str()) == 0 && ReadFileBytes(negative).empty(),
        "QRSetSize(-10, 20): QRSaveAsBMP 0");

  Plain(api, "12");
  api.appearance(0.0, 0, 0);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  int width = 0, height = 0;
  api.getActualSize(-1, nullptr, &width, &height);
  Check(dpi == 96 && width == 63 && height == 63,
        "QRAppearance(0.0, ...): 0.07 cm, 21 x 3 = 63 at 96 dpi (dpi " + std::to_string(dpi) +
            ", " + std::to_string(width) + ")");

  Plain(api, std::string(3000, 'a').c_str());
  unsigned size = 99;
  rows = columns = 99;
  Check(api.getPatternData(nullptr, &size, &rows, &columns) == -1 && size == 0 && rows == 0 &&
            columns == 0,
        "3,000 bytes: QRGetPatternData -1 with size 0");
  const std::string tooLong = own + "too_long.bmp";
  Check(api.saveAsBmp(tooLong.c_str()) == 0, "3,000 bytes: QRSaveAsBMP 0");
}

void CheckPatternProtocol(const EngineCalls &api) {
  Plain(api, "12");
  std::string buffer(442, 'x');
  unsigned size = 0;
  short rows = 0, columns = 0;
  Check(api.getPatternData(&buffer[0], &size, &rows, &columns) == 0 && size == 441 && rows == 21 &&
            columns == 21 && buffer == std::string(442, 'x'),
        "size query: 0, 441 bytes, 21 x 21, buffer untouched");
  const short result = api.getPatternData(&buffer[0], &size, &rows, &columns);
  Check(result == -1 && buffer.find_first_not_of("01") == 441 && buffer[441] == 'x' && size == 441,
        "second call fills 441 bytes of \"0\" and \"1\"");
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: engine_dll_test <folder of the native references>\n");
    return 1;
  }
  const std::string own = OwnFolder(), references = std::string(argv[1]) + "\\";
  HMODULE dll = LoadLibraryA((own + "QRCodeWin32.dll").c_str());
  if (!Check(dll != nullptr, "QRCodeWin32.dll loads from " + own)) return failures;
  EngineCalls api{};
  if (!BindExports(dll, api)) return failures;

  CheckFilesMatchNativeReferences(api, own, references);  // first: needs colour depths never set
  CheckSettingLimits(api, own);
  CheckPatternProtocol(api);
  CheckClipboardImage(api, own);
  FreeLibrary(dll);
  std::printf("%d failure(s)\n", failures);
  return failures;
}
