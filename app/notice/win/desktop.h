#pragma once
// The notice's dealings with the desktop: message boxes and the shell.
#include <string>

namespace notice::win {

// Modal for the whole application, no owner window, no icon. Texts are GBK.
void ShowInformation(const std::string &caption, const std::string &text);
bool AskOkCancel(const std::string &caption, const std::string &text);  // true for OK

// Opens the address in the default browser ("open", normal window) when it
// is an http(s) address; does nothing otherwise. Does not wait.
void OpenWebAddress(const std::string &address);

}  // namespace notice::win
