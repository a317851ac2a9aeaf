// Settings recipes whose files the Windows DLL and the native library must
// write byte for byte alike. Both sides run them in this order in a fresh
// process: the first one relies on the colour depths never having been set.
#pragma once

#include <string>
#include <type_traits>

#include "QRCodeWin32.h"

namespace qrtest {

// The fourteen exports as the application binds them.
typedef void(QRAPI *SetDefaultFn)(void);
typedef void(QRAPI *SetMessageFn)(const char *);
typedef void(QRAPI *SetSizeFn)(int, int);
typedef void(QRAPI *ConfigureFn)(int, int, int);
typedef void(QRAPI *AppearanceFn)(double, int, int);
typedef void(QRAPI *SetColorFn)(int, int, int);
typedef void(QRAPI *RenderFn)(QRDC, int, int);
typedef void(QRAPI *GetActualSizeFn)(short, QRDC, int *, int *);
typedef void(QRAPI *GetActualRCFn)(short *, short *);
typedef short(QRAPI *GetPatternDataFn)(char *, unsigned int *, short *, short *);
typedef short(QRAPI *SaveFn)(const char *);
typedef short(QRAPI *CopyToClipboardFn)(void);

static_assert(std::is_same_v<decltype(&QRSetDefault), SetDefaultFn> &&
                  std::is_same_v<decltype(&QRSetMessage), SetMessageFn> &&
                  std::is_same_v<decltype(&QRSetSize), SetSizeFn> &&
                  std::is_same_v<decltype(&QRConfigure), ConfigureFn> &&
                  std::is_same_v<decltype(&QRAppearance), AppearanceFn> &&
                  std::is_same_v<decltype(&QRSetBarColor), SetColorFn> &&
                  std::is_same_v<decltype(&QRSetBackColor), SetColorFn> &&
                  std::is_same_v<decltype(&QRRender), RenderFn> &&
                  std::is_same_v<decltype(&QRGetActualSize), GetActualSizeFn> &&
                  std::is_same_v<decltype(&QRGetActualRC), GetActualRCFn> &&
                  std::is_same_v<decltype(&QRGetPatternData), GetPatternDataFn> &&
                  std::is_same_v<decltype(&QRSaveAsBMP), SaveFn> &&
                  std::is_same_v<decltype(&QRSaveAsWMF), SaveFn> &&
                  std::is_same_v<decltype(&QRCopyToClipboard), CopyToClipboardFn>,
              "the pointer types are the header's prototypes");

struct EngineCalls {
  SetDefaultFn setDefault;
  SetMessageFn setMessage;
  SetSizeFn setSize;
  ConfigureFn configure;
  AppearanceFn appearance;
  SetColorFn setBarColor;
  SetColorFn setBackColor;
  RenderFn render;
  GetActualSizeFn getActualSize;
  GetActualRCFn getActualRC;
  GetPatternDataFn getPatternData;
  SaveFn saveAsBmp;
  SaveFn saveAsWmf;
  CopyToClipboardFn copyToClipboard;
};

struct OutputRecipe {
  const char *name;   // base name of the files written
  bool defaultsOnly;  // QRSetDefault and nothing else
  const char *message;
  int back[3], bar[3];
  int version, level, mask;
  double moduleSize;
  int orientation, frame;
  int width, height;
};

// "测试数据" in GBK, as the application passes it.
constexpr const char kGbkTestData[] = "\xB2\xE2\xCA\xD4\xCA\xFD\xBE\xDD";

constexpr OutputRecipe kOutputRecipes[] = {
    {"defaults_4bit", true, nullptr, {}, {}, 0, 0, 0, 0, 0, 0, 0, 0},
    {"app_number", false, "20210706001", {255, 255, 255}, {0, 0, 0}, 0, 0, 5, 0.2, 1, 0, 200, 200},
    {"app_gbk", false, kGbkTestData, {255, 255, 255}, {0, 0, 0}, 0, 0, 5, 0.2, 1, 0, 200, 200},
    {"navy_on_yellow",
     false,
     "ORIENTATION 2, DASHED",
     {255, 255, 0},
     {0, 0, 128},
     3,
     2,
     0,
     0.1,
     2,
     1,
     231,
     171},
    {"nearest_colours",
     false,
     "http://127.0.0.1/a?b=c",
     {250, 250, 190},
     {200, 0, 0},
     0,
     3,
     8,
     0.15,
     3,
     2,
     160,
     190},
};

inline void Apply(const EngineCalls &api, const OutputRecipe &recipe) {
  api.setDefault();
  if (recipe.defaultsOnly) return;
  api.setMessage(recipe.message);
  api.setBackColor(recipe.back[0], recipe.back[1], recipe.back[2]);
  api.setBarColor(recipe.bar[0], recipe.bar[1], recipe.bar[2]);
  api.configure(recipe.version, recipe.level, recipe.mask);
  api.appearance(recipe.moduleSize, recipe.orientation, recipe.frame);
  api.setSize(recipe.width, recipe.height);
}

// The pattern data of the current settings; empty when not encodable.
inline std::string PatternOf(const EngineCalls &api) {
  unsigned size = 0;
  short rows = 0, columns = 0;
  if (api.getPatternData(nullptr, &size, &rows, &columns) != 0 || size == 0) return std::string();
  std::string buffer(size, '\0');
  if (api.getPatternData(&buffer[0], &size, &rows, &columns) != -1) return std::string();
  return buffer;
}

}  // namespace qrtest
