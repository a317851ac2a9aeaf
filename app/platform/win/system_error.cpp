#include "system_error.h"

#include <windows.h>

#include "system_error_text.h"

namespace qrplatform {

// UTF-8, as every text of a command-line program (terminal.h shows it).
std::string LastErrorText() { return qrplatform::SystemErrorText(GetLastError(), CP_UTF8); }

}  // namespace qrplatform
