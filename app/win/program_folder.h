// Where the running program lies.
#pragma once

#include <string>

namespace qrwin {

// The folder of the running executable, absolute, without trailing
// backslash, at any length and with any characters; empty on failure.
std::wstring ProgramFolderWide();

// The same folder as an ANSI text that names it exactly, for the functions
// that take ANSI paths: its own name when the ANSI code page can express it
// and it leaves room for a file name within MAX_PATH, else its short (8.3)
// name when that does, else its own name when expressible at all; empty
// when the folder has no ANSI name.
std::string AnsiProgramFolder();

// The same rule for any folder (no trailing backslash), leaving room for
// names of `longestName` characters (their backslash included).
std::string AnsiFolderName(const std::wstring &folder, size_t longestName);

}  // namespace qrwin
