#include "win_engine_api.h"

namespace qrwin {

WinEngineApi::WinEngineApi(const std::string &programFolder)
    : library_(programFolder, "QRCodeWin32.dll", LateBoundLibrary::Origin::kProgram) {}

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

bool WinEngineApi::QRSaveAsBMP(const std::string &fileName) {
  return library_.Bind(saveAsBmp_, "QRSaveAsBMP")(fileName.c_str()) == -1;
}

}  // namespace qrwin
