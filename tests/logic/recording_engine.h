// EngineExports that logs every call and "writes" a small stand-in bitmap into a
// MemoryFileSystem, failing as the engine does: message too long (more than
// 2,953 bytes, the byte capacity of version 40-L) or the file not creatable.
// The symbol's size is the engine's own: its version choice for the message
// at the configured version and level, 8 pixels a module.
#pragma once

#include <string>
#include <vector>

#include "batch_symbols.h"
#include "engine_exports.h"
#include "memory_file_system.h"

namespace qrapp::testing {

class RecordingEngine : public EngineExports {
 public:
  explicit RecordingEngine(MemoryFileSystem &files) : files_(files) {}

  void QRSetMessage(const std::string &gbk) override;
  void QRSetBackColor(int red, int green, int blue) override;
  void QRSetBarColor(int red, int green, int blue) override;
  void QRConfigure(int version, int level, int mask) override;
  void QRAppearance(double moduleSize, int orientation, int frameStyle) override;
  void QRSetSize(int width, int height) override;
  void QRGetActualSize(int &width, int &height) override;
  bool QRSaveAsBMP(const std::string &fileName) override;
  std::string LastSaveError() override;

  // The bytes written for a message at a size.
  static std::string ImageOf(const std::string &message, int width, int height);

  std::vector<std::string> calls;

 private:
  MemoryFileSystem &files_;
  std::string message_;
  int width_ = 0, height_ = 0;
  int version_ = 0, level_ = 0;
  std::string lastSaveError_;
};

// The batch's in-process symbols to match: the same sizes as
// QRGetActualSize above and the same bytes as its QRSaveAsBMP.
class StandInSymbols : public BatchSymbols {
 public:
  int SymbolPixels(const qrtext::EncodedContent &content,
                   const batch::BatchRecipe &recipe) override;
  std::string BitmapFile(const qrtext::EncodedContent &content,
                         const batch::BatchRecipe &recipe) override;

  // What a content with a designator draws: "ECI<n>:" and its bytes.
  static std::string Message(const qrtext::EncodedContent &content);

  std::vector<std::string> drawn;  // the messages of every BitmapFile
};

}  // namespace qrapp::testing
