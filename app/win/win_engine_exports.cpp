#include "win_engine_exports.h"

#include "main_window_logic.h"
#include "system_error_text.h"
#include "text_codec.h"

namespace qrwin {

WinEngineExports::WinEngineExports(const std::string &programFolder)
    : library_(programFolder, qrapp::kEngineLibraryName, LateBoundLibrary::Origin::kProgram) {}

void WinEngineExports::QRSetMessage(const std::string &gbk) {
  library_.Bind(setMessage_, "QRSetMessage")(gbk.c_str());
}

void WinEngineExports::QRSetBackColor(int red, int green, int blue) {
  library_.Bind(setBackColor_, "QRSetBackColor")(red, green, blue);
}

void WinEngineExports::QRSetBarColor(int red, int green, int blue) {
  library_.Bind(setBarColor_, "QRSetBarColor")(red, green, blue);
}

void WinEngineExports::QRConfigure(int version, int level, int mask) {
  library_.Bind(configure_, "QRConfigure")(version, level, mask);
}

void WinEngineExports::QRAppearance(double moduleSize, int orientation, int frameStyle) {
  library_.Bind(appearance_, "QRAppearance")(moduleSize, orientation, frameStyle);
}

void WinEngineExports::QRSetSize(int width, int height) {
  library_.Bind(setSize_, "QRSetSize")(width, height);
}

void WinEngineExports::QRGetActualSize(int &width, int &height) {
  constexpr short kScreen = -1;
  library_.Bind(actualSize_, "QRGetActualSize")(kScreen, nullptr, &width, &height);
}

bool WinEngineExports::QRSaveAsBMP(const std::string &fileName) {
  SaveFunction save = library_.Bind(saveAsBmp_, "QRSaveAsBMP");
  SetLastError(ERROR_SUCCESS);
  if (save(fileName.c_str()) == -1) return true;
  // Taken at once: any later system call may overwrite it.
  lastSaveError_ = GetLastError();
  return false;
}

std::string WinEngineExports::LastSaveError() {
  if (lastSaveError_ == ERROR_SUCCESS) return std::string();
  return SystemErrorText(lastSaveError_, kGbkCodePage);
}

}  // namespace qrwin
