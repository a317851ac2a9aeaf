#include "symbol_capacity.h"

#include "symbol_engine.h"

namespace qrapp {

bool FitsLargestSymbol(const std::string &message, int level) {
  return qr::FitsLargestSymbol(message.data(), message.size(), level);
}

}  // namespace qrapp
