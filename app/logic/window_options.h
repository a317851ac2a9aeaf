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

// The chosen index of row `row` (OptionRowOf), its default when the
// options hold none or one out of range.
int ChosenOf(const WindowOptions &options, size_t row);

// How the batch names its files and reads a line's content.
enum class NameMode { kLine, kNumber, kSafe };  // the rows' order
struct RecordChoice {
  NameMode names = NameMode::kLine;
  bool escapes = false;  // \n \r \t \\ \xNN \uNNNN in the content
};
RecordChoice RecordChoiceOf(const WindowOptions &options);
void SetEscapes(WindowOptions &options, bool on);

}  // namespace qrapp
