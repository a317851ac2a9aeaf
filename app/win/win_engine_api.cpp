#include "win_engine_api.h"

#include "main_window_logic.h"
#include "system_error_text.h"
#include "text_codec.h"

namespace qrwin {

WinEngineApi::WinEngineApi(const std::string &programFolder)
    : library_(programFolder, qrapp::kEngineLibraryName, LateBoundLibrary::Origin::kProgram) {}

void WinEngineApi::QRSetMessage(const std::string &gbk) {
  library_.Bind(setMessage_, "QRSetMessage")(gbk.c_str());
}

void WinEngineApi::QRSetBackColor(int red, int green, int blue) {
  library_.Bind(setBackColor_, "QRSetBackColor")(red, green, blue);
}

void WinEngineApi::QRSetBarColor(int red, int green, int blue) {
  library_.Bind(setBarColor_, "QRSetBarColor")(red, green, blue);
}

void WinEngineApi::QRConfigure(int version, int level, int mask) {
  library_.Bind(configure_, "QRConfigure")(version, level, mask);
}

void WinEngineApi::QRAppearance(double moduleSize, int orientation, int frameStyle) {
  library_.Bind(appearance_, "QRAppearance")(moduleSize, orientation, frameStyle);
}

void WinEngineApi::QRSetSize(int width, int height) {
  library_.Bind(setSize_, "QRSetSize")(width, height);
}

void WinEngineApi::QRGetActualSize(int &width, int &height) {
  constexpr short kScreen = -1;
  library_.Bind(actualSize_, "QRGetActualSize")(kScreen, nullptr, &width, &height);
}

bool WinEngineApi::QRSaveAsBMP(const std::string &fileName) {
  SaveFunction save = library_.Bind(saveAsBmp_, "QRSaveAsBMP");
  SetLastError(ERROR_SUCCESS);
  if (save(fileName.c_str()) == -1) return true;
  // Taken at once: any later system call may overwrite it.
  lastSaveError_ = GetLastError();
  return false;
}

std::string WinEngineApi::LastSaveError() {
  if (lastSaveError_ == ERROR_SUCCESS) return std::string();
  return SystemErrorText(lastSaveError_, kGbkCodePage);
}

}  // namespace qrwin
