// EngineApi calling the engine library's exports linked into the program.
#pragma once

#include "engine_api.h"

namespace qrapp {

class LinkedEngine : public EngineApi {
 public:
  void QRSetMessage(const std::string &gbk) override;
  void QRSetBackColor(int red, int green, int blue) override;
  void QRSetBarColor(int red, int green, int blue) override;
  void QRConfigure(int version, int level, int mask) override;
  void QRAppearance(double moduleSize, int orientation, int frameStyle) override;
  void QRSetSize(int width, int height) override;
  void QRGetActualSize(int &width, int &height) override;
  bool QRSaveAsBMP(const std::string &fileName) override;
  std::string LastSaveError() override;

 private:
  std::string lastSaveError_;
};

}  // namespace qrapp
