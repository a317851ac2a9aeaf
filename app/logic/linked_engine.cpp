#include "linked_engine.h"

#include <cerrno>
#include <cstring>

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
void LinkedEngine::QRGetActualSize(int &width, int &height) {
  ::QRGetActualSize(-1, nullptr, &width, &height);
}
bool LinkedEngine::QRSaveAsBMP(const std::string &fileName) {
  errno = 0;
  if (::QRSaveAsBMP(fileName.c_str()) != 0) return true;
  // Taken at once: anything called later may change errno.
  lastSaveError_ = errno != 0 ? std::strerror(errno) : "";
  return false;
}
std::string LinkedEngine::LastSaveError() { return lastSaveError_; }

}  // namespace qrapp
