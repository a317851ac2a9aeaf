#include "window_options.h"

#include <string>

#include "image_writer.h"
#include "options_dialog_layout.h"

namespace qrapp {

namespace {

constexpr size_t kRowCount = std::size(kOptionRows);

int ChoiceOf(const OptionRow &row, const std::string &value) {
  for (size_t i = 0; i < row.choiceCount; ++i)
    if (value == row.choices[i].value) return static_cast<int>(i);
  return row.defaultChoice;
}

int Chosen(const WindowOptions &options, size_t row) {
  const int choice = row < options.choices.size() ? options.choices[row] : -1;
  const bool valid = choice >= 0 && static_cast<size_t>(choice) < kOptionRows[row].choiceCount;
  return valid ? choice : kOptionRows[row].defaultChoice;
}

}  // namespace

int ChosenOf(const WindowOptions &options, size_t row) { return Chosen(options, row); }

RecordChoice RecordChoiceOf(const WindowOptions &options) {
  static_assert(OptionRowOf("names") < kRowCount && OptionRowOf("escapes") < kRowCount);
  static_assert(std::size(kFileNameChoices) == 3 && std::size(kEscapesChoices) == 2);
  RecordChoice choice;
  choice.names = static_cast<NameMode>(Chosen(options, OptionRowOf("names")));
  choice.escapes = Chosen(options, OptionRowOf("escapes")) == 1;
  return choice;
}

void SetEscapes(WindowOptions &options, bool on) {
  const size_t row = OptionRowOf("escapes");
  if (options.choices.size() <= row) options.choices.resize(kRowCount, -1);
  options.choices[row] = on ? 1 : 0;
}

WindowOptions LoadOptions(SettingsStore &settings) {
  WindowOptions options;
  for (const OptionRow &row : kOptionRows)
    options.choices.push_back(ChoiceOf(row, settings.Read(kSettingsSection, row.key)));
  return options;
}

void SaveOptions(SettingsStore &settings, const WindowOptions &options) {
  for (size_t i = 0; i < kRowCount; ++i) {
    const OptionRow &row = kOptionRows[i];
    settings.Write(kSettingsSection, row.key, row.choices[Chosen(options, i)].value);
  }
}

ContentChoice ContentChoiceOf(const WindowOptions &options) {
  using qrtext::ContentEncoding;
  static constexpr ContentChoice kByChoice[] = {
      {ContentEncoding::kGbk, false},
      {ContentEncoding::kUtf8, false},
      {ContentEncoding::kUtf8NoEci, false},
      {ContentEncoding::kGbk, true},
  };
  static_assert(std::size(kByChoice) == std::size(kContentEncodingChoices));
  return kByChoice[Chosen(options, kContentEncodingRow)];
}

ImageChoice ImageChoiceOf(const WindowOptions &options) {
  using qrimage::ImageFormat;
  static constexpr ImageFormat kFormats[] = {ImageFormat::kWindowJpg, ImageFormat::kPng,
                                             ImageFormat::kSvg, ImageFormat::kPdf};
  static_assert(std::size(kFormats) == std::size(kFileTypeChoices));
  static constexpr int kQuietZones[] = {-1, 1, 2, 4};
  static_assert(std::size(kQuietZones) == std::size(kQuietZoneChoices));
  static constexpr CaptionChoice kCaptions[] = {CaptionChoice::kNone, CaptionChoice::kName,
                                                CaptionChoice::kContent, CaptionChoice::kColumn};
  static_assert(std::size(kCaptions) == std::size(kCaptionChoices));
  ImageChoice choice;
  choice.format = kFormats[Chosen(options, kFileTypeRow)];
  choice.autoModule = Chosen(options, kModuleSizeRow) == 1;
  choice.quietZone = kQuietZones[Chosen(options, kQuietZoneRow)];
  choice.caption = kCaptions[Chosen(options, kCaptionRow)];
  choice.verify = OptionRowAvailable(kVerifyRow) && Chosen(options, kVerifyRow) == 1;
  return choice;
}

bool WrittenInProcess(const ImageChoice &choice) {
  return choice.format != qrimage::ImageFormat::kWindowJpg || choice.autoModule ||
         choice.quietZone >= 0 || choice.caption != CaptionChoice::kNone || choice.verify;
}

bool OptionRowAvailable(size_t row, const char **note) {
  if (row == kVerifyRow && !qrimage::ImageWriter::CanVerify()) {
    if (note) *note = kNoDecoderNote;
    return false;
  }
  return true;
}

}  // namespace qrapp
