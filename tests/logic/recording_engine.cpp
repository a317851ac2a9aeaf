#include "recording_engine.h"

#include "measure_symbol.h"
#include "symbol_engine.h"

namespace qrapp::testing {

namespace {
std::string Call(const char *name, int a, int b, int c) {
  return std::string(name) + "(" + std::to_string(a) + "," + std::to_string(b) + "," +
         std::to_string(c) + ")";
}
}  // namespace

void RecordingEngine::QRSetMessage(const std::string &gbk) {
  message_ = gbk;
  calls.push_back("QRSetMessage(" + gbk + ")");
}
void RecordingEngine::QRSetBackColor(int red, int green, int blue) {
  calls.push_back(Call("QRSetBackColor", red, green, blue));
}
void RecordingEngine::QRSetBarColor(int red, int green, int blue) {
  calls.push_back(Call("QRSetBarColor", red, green, blue));
}
void RecordingEngine::QRConfigure(int version, int level, int mask) {
  version_ = version;
  level_ = level;
  calls.push_back(Call("QRConfigure", version, level, mask));
}
void RecordingEngine::QRAppearance(double moduleSize, int orientation, int frameStyle) {
  calls.push_back("QRAppearance(" + std::to_string(moduleSize).substr(0, 3) + "," +
                  std::to_string(orientation) + "," + std::to_string(frameStyle) + ")");
}
void RecordingEngine::QRSetSize(int width, int height) {
  width_ = width;
  height_ = height;
  calls.push_back("QRSetSize(" + std::to_string(width) + "," + std::to_string(height) + ")");
}

std::string RecordingEngine::ImageOf(const std::string &message, int width, int height) {
  return "BM " + std::to_string(width) + "x" + std::to_string(height) + " " + message;
}

namespace {
int SymbolPixelsOf(const std::string &message, int version, int level) {
  qr::SymbolSettings settings;
  settings.requestedVersion = version;
  settings.level = level;
  return 8 * qrtest::MeasureSymbol(message.data(), message.size(), settings).side;
}
}  // namespace

void RecordingEngine::QRGetActualSize(int &width, int &height) {
  calls.push_back("QRGetActualSize");
  width = height = SymbolPixelsOf(message_, version_, level_);
}

bool RecordingEngine::QRSaveAsBMP(const std::string &fileName) {
  calls.push_back("QRSaveAsBMP(" + fileName + ")");
  files_.Remove(fileName);  // the engine replaces any older file first
  lastSaveError_.clear();
  if (message_.size() > 2953) return false;
  if (files_.WriteFile(fileName, ImageOf(message_, width_, height_))) return true;
  lastSaveError_ = files_.IsDirectory(MemoryFileSystem::Parent(fileName))
                       ? "Access is denied."
                       : "The system cannot find the path specified.";
  return false;
}

std::string RecordingEngine::LastSaveError() { return lastSaveError_; }

}  // namespace qrapp::testing

namespace qrapp::testing {

std::string StandInSymbols::Message(const qrtext::EncodedContent &content) {
  if (content.eciDesignator == 0) return content.bytes;
  return "ECI" + std::to_string(content.eciDesignator) + ":" + content.bytes;
}

int StandInSymbols::SymbolPixels(const qrtext::EncodedContent &content,
                                 const batch::BatchRecipe &recipe) {
  return SymbolPixelsOf(Message(content), recipe.version, recipe.level);
}

std::string StandInSymbols::BitmapFile(const qrtext::EncodedContent &content,
                                       const batch::BatchRecipe &recipe) {
  const std::string message = Message(content);
  drawn.push_back(message);
  if (message.size() > 2953) return std::string();
  return RecordingEngine::ImageOf(message, recipe.width, recipe.height);
}

}  // namespace qrapp::testing
