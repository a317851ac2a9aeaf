// The engine's exports that the application calls, bound by name from
// QRCodeWin32.dll in the program folder at their first call. The engine
// takes ANSI file names: it writes under a temporary ASCII name in the
// target's folder (that folder named in ANSI, by its short name where
// needed), and the file is moved to its UTF-8 name through the wide API.
#pragma once

#include <string>

#include "engine_exports.h"
#include "late_bound_library.h"

namespace qrwin {

class WinEngineExports : public qrapp::EngineExports {
 public:
  // `ansiProgramFolder`: AnsiProgramFolder().
  explicit WinEngineExports(const std::string &ansiProgramFolder);

  void QRSetMessage(const std::string &bytes) override;
  void QRSetBackColor(int red, int green, int blue) override;
  void QRSetBarColor(int red, int green, int blue) override;
  void QRConfigure(int version, int level, int mask) override;
  void QRAppearance(double moduleSize, int orientation, int frameStyle) override;
  void QRSetSize(int width, int height) override;
  void QRGetActualSize(int &width, int &height) override;
  bool QRSaveAsBMP(const std::string &fileName) override;
  std::string LastSaveError() override;

 private:
  using TextFunction = void(__stdcall *)(const char *);
  using ColourFunction = void(__stdcall *)(int, int, int);
  using ConfigureFunction = void(__stdcall *)(int, int, int);
  using AppearanceFunction = void(__stdcall *)(double, int, int);
  using SizeFunction = void(__stdcall *)(int, int);
  using ActualSizeFunction = void(__stdcall *)(short, HDC, int *, int *);
  using SaveFunction = short(__stdcall *)(const char *);

  qrplatform::LateBoundLibrary library_;
  TextFunction setMessage_ = nullptr;
  ColourFunction setBackColor_ = nullptr;
  ColourFunction setBarColor_ = nullptr;
  ConfigureFunction configure_ = nullptr;
  AppearanceFunction appearance_ = nullptr;
  SizeFunction setSize_ = nullptr;
  ActualSizeFunction actualSize_ = nullptr;
  SaveFunction saveAsBmp_ = nullptr;
  DWORD lastSaveError_ = 0;
};

}  // namespace qrwin
