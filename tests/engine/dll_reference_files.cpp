// Writes the bitmap, metafile and pattern data of every output recipe with
// the native engine library, as references for the Windows DLL's files.
//   dll_reference_files <folder>
#include <cstdio>
#include <string>

#include "output_recipes.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const qrtest::EngineCalls api{QRSetDefault,    QRSetMessage,     QRSetSize,        QRConfigure,
                                QRAppearance,    QRSetBarColor,    QRSetBackColor,   QRRender,
                                QRGetActualSize, QRGetActualRC,    QRGetPatternData, QRSaveAsBMP,
                                QRSaveAsWMF,     QRCopyToClipboard};
  int failures = 0;
  for (const qrtest::OutputRecipe &recipe : qrtest::kOutputRecipes) {
    const std::string base = std::string(argv[1]) + "/" + recipe.name;
    qrtest::Apply(api, recipe);
    const std::string pattern = qrtest::PatternOf(api);
    if (FILE *file = std::fopen((base + ".pattern").c_str(), "wb")) {
      std::fwrite(pattern.data(), 1, pattern.size(), file);
      std::fclose(file);
    } else {
      ++failures;
    }
    if (pattern.empty() || QRSaveAsBMP((base + ".bmp").c_str()) != -1 ||
        QRSaveAsWMF((base + ".wmf").c_str()) != -1) {
      std::fprintf(stderr, "%s: not written\n", recipe.name);
      ++failures;
    }
  }
  return failures;
}
