#include "system_error.h"

#include <cstring>

namespace qrplatform {

std::string ErrnoText(int error) { return std::strerror(error); }

}  // namespace qrplatform
