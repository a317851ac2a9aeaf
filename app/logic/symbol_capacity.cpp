#include "symbol_capacity.h"

#include "data_encoding.h"
#include "version_tables.h"

namespace qrapp {

bool FitsLargestSymbol(const std::string &message, int level) {
  // The engine takes the low 16 bits and maps anything above 3 to L.
  level &= 0xFFFF;
  if (level > 3) level = 0;
  // Text after a zero byte never reaches the engine.
  const std::string text = message.substr(0, message.find('\0'));
  const auto *bytes = reinterpret_cast<const unsigned char *>(text.data());
  const int length = static_cast<int>(text.size());
  const qr::DataMode mode = qr::ChooseDataMode(bytes, length);
  return qr::ChooseVersion(mode, length, qr::kMaxVersion, level) == qr::kMaxVersion;
}

}  // namespace qrapp
