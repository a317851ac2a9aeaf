// The window's options (options_dialog_layout.h): one choice per row, kept
// in the settings file beside the destination folder.
#pragma once

#include <vector>

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
struct ContentChoice {
  qrtext::ContentEncoding encoding = qrtext::ContentEncoding::kGbk;
  bool eciForGbk = false;
};
ContentChoice ContentChoiceOf(const WindowOptions &options);

// The image files the batch writes. The defaults are the DLL's bitmap
// files; any other choice is written in process by the shared writers.
enum class CaptionChoice { kNone, kName, kContent, kColumn };
struct ImageChoice {
  qrimage::ImageFormat format = qrimage::ImageFormat::kWindowJpg;
  bool autoModule = false;  // the largest whole module that fits the image
  int quietZone = -1;       // modules of margin asked; -1: none asked
  CaptionChoice caption = CaptionChoice::kNone;
  bool verify = false;  // read every image back before it is written
};
// A row this build cannot offer (verification without a decoder) gives its
// default, whatever the file holds.
ImageChoice ImageChoiceOf(const WindowOptions &options);
// True when the DLL cannot write these images itself.
bool WrittenInProcess(const ImageChoice &choice);

// False for a row this build cannot offer; `note` then says why.
bool OptionRowAvailable(size_t row, const char **note = nullptr);

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
