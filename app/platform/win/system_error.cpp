#include "system_error.h"

#include <windows.h>

#include "system_error_text.h"

namespace qrplatform {

std::string LastErrorText() { return qrwin::SystemErrorText(GetLastError(), CP_ACP); }

}  // namespace qrplatform
