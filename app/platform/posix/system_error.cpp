#include "system_error.h"

#include <cerrno>

namespace qrplatform {

std::string LastErrorText() { return ErrnoText(errno); }

}  // namespace qrplatform
