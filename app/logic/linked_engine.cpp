#include "linked_engine.h"

#include "QRCodeWin32.h"

namespace qrapp {

void LinkedEngine::QRSetMessage(const std::string &gbk) { ::QRSetMessage(gbk.c_str()); }
void LinkedEngine::QRSetBackColor(int red, int green, int blue) {
  ::QRSetBackColor(red, green, blue);
}
void LinkedEngine::QRSetBarColor(int red, int green, int blue) {
  ::QRSetBarColor(red, green, blue);
}
void LinkedEngine::QRConfigure(int version, int level, int mask) {
  ::QRConfigure(version, level, mask);
}
void LinkedEngine::QRAppearance(double moduleSize, int orientation, int frameStyle) {
  ::QRAppearance(moduleSize, orientation, frameStyle);
}
void LinkedEngine::QRSetSize(int width, int height) { ::QRSetSize(width, height); }
bool LinkedEngine::QRSaveAsBMP(const std::string &fileName) {
  return ::QRSaveAsBMP(fileName.c_str()) != 0;
}

}  // namespace qrapp
