// The window's options (options_dialog_layout.h): one choice per row, kept
// in the settings file beside the destination folder.
#pragma once

#include <vector>

#include "content_encoding.h"
#include "settings_store.h"

namespace qrapp {

// The section that holds the destination folder and the options.
inline constexpr char kSettingsSection[] = "preservation";

// choices[i] is the chosen index of kOptionRows[i].
struct WindowOptions {
  std::vector<int> choices;
};

// Every row's stored value; a missing or unknown value gives the row's default.
WindowOptions LoadOptions(SettingsStore &settings);
void SaveOptions(SettingsStore &settings, const WindowOptions &options);

// How the batch and 生成 encode a line's content.
struct ContentChoice {
  qrtext::ContentEncoding encoding = qrtext::ContentEncoding::kGbk;
  bool eciForGbk = false;
};
ContentChoice ContentChoiceOf(const WindowOptions &options);

}  // namespace qrapp
