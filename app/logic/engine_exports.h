// The DLL's exports the window calls. The Windows program binds them by
// name at first use; tests record the calls. (qrbatch, and the window's
// batch for its checks and preview, use the engine's own entry,
// symbol_engine.h, instead.)
#pragma once

#include <string>

namespace qrapp {

class EngineExports {
 public:
  virtual ~EngineExports() = default;
  // The content's bytes in the chosen content encoding.
  virtual void QRSetMessage(const std::string &bytes) = 0;
  virtual void QRSetBackColor(int red, int green, int blue) = 0;
  virtual void QRSetBarColor(int red, int green, int blue) = 0;
  virtual void QRConfigure(int version, int level, int mask) = 0;
  virtual void QRAppearance(double moduleSize, int orientation, int frameStyle) = 0;
  virtual void QRSetSize(int width, int height) = 0;
  // The symbol's extent in pixels on the screen (screen flag -1), with the
  // module size set: the size QRSaveAsBMP draws it at; 0 x 0 when the
  // message cannot be encoded.
  virtual void QRGetActualSize(int &width, int &height) = 0;
  // `fileName` is UTF-8, any characters: the window layer has the engine
  // write a name any code page holds and moves the file to this one.
  // True when the file was written, false when not.
  virtual bool QRSaveAsBMP(const std::string &fileName) = 0;
  // Why the last QRSaveAsBMP that failed failed, as the system said it
  // (UTF-8); empty when the system gave no reason.
  virtual std::string LastSaveError() = 0;
};

}  // namespace qrapp
