// The window's options (options_dialog_layout.h): one choice per row, kept
// in the settings file beside the destination folder.
#pragma once

#include <vector>

#include "batch_settings.h"
#include "content_encoding.h"
#include "image_format.h"
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
batch::ContentChoice ContentChoiceOf(const WindowOptions &options);

// The batch's settings: the options over the recipe of the window's
// controls (its image size as the engine takes it). The defaults leave the
// images to the DLL's bitmap files; a row this build cannot offer
// (verification without a decoder) gives its default, whatever the file
// holds.
batch::BatchSettings BatchSettingsOf(const WindowOptions &options,
                                     const batch::BatchRecipe &controls);
// True when the DLL cannot write these images itself.
bool WrittenInProcess(const batch::BatchSettings &settings);

// False for a row this build cannot offer; `note` then says why.
bool OptionRowAvailable(size_t row, const char **note = nullptr);

// The chosen index of row `row` (OptionRowOf), its default when the
// options hold none or one out of range.
int ChosenOf(const WindowOptions &options, size_t row);

// True when the content's escapes (\n \r \t \\ \xNN \uNNNN) are on.
bool EscapesOf(const WindowOptions &options);
void SetEscapes(WindowOptions &options, bool on);

}  // namespace qrapp
