#include "window_options.h"

#include <string>
#include <string_view>

#include "image_fit.h"
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

bool EscapesOf(const WindowOptions &options) {
  static_assert(std::size(kEscapesChoices) == 2);
  return Chosen(options, OptionRowOf("escapes")) == 1;
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

namespace {

// The choice of row `row` named by the word its value has in `words`.
template <typename Value, size_t N>
Value WordOfRow(const WindowOptions &options, size_t row, const Word<Value> (&words)[N]) {
  Value value = words[0].value;
  WordOf(words, kOptionRows[row].choices[Chosen(options, row)].value, value);
  return value;
}

// Every value a row keeps names a word of the batch's tables.
template <typename Value, size_t N, size_t M>
constexpr bool EveryValueIsAWord(const OptionChoice (&choices)[M], const Word<Value> (&words)[N]) {
  for (const OptionChoice &choice : choices) {
    bool found = false;
    for (const Word<Value> &word : words)
      found = found || std::string_view(choice.value) == word.word;
    if (!found) return false;
  }
  return true;
}
static_assert(EveryValueIsAWord(kFileTypeChoices, kFormatWords));
static_assert(EveryValueIsAWord(kFileNameChoices, kFileNameWords));
static_assert(EveryValueIsAWord(kCaptionChoices, kCaptionWords));
static_assert(EveryValueIsAWord(kContentEncodingChoices, kContentWords));

BatchRecipe EngineSized(BatchRecipe recipe) {
  const ImageSize image = EngineImageSize(recipe.width, recipe.height);
  recipe.width = image.width;
  recipe.height = image.height;
  return recipe;
}

}  // namespace

ContentChoice ContentChoiceOf(const WindowOptions &options) {
  return WordOfRow(options, kContentEncodingRow, kContentWords);
}

BatchSettings BatchSettingsOf(const WindowOptions &options, const BatchRecipe &controls) {
  static constexpr int kQuietZones[] = {-1, 1, 2, 4};
  static_assert(std::size(kQuietZones) == std::size(kQuietZoneChoices));
  static constexpr double kSmallestModules[] = {0.25, 0.2, 0.33, 0.5, 0};
  static_assert(std::size(kSmallestModules) == std::size(kSmallestLabelModuleChoices));
  static_assert(kSmallestModules[0] == kDefaultSmallestLabelModuleMm);
  BatchSettings settings;
  settings.recipe = EngineSized(controls);
  settings.recipe.autoModule = Chosen(options, kModuleSizeRow) == 1;
  settings.recipe.quietZone = kQuietZones[Chosen(options, kQuietZoneRow)];
  settings.format = WordOfRow(options, kFileTypeRow, kFormatWords);
  settings.names = WordOfRow(options, OptionRowOf("names"), kFileNameWords);
  settings.caption = WordOfRow(options, kCaptionRow, kCaptionWords);
  // The window runs on Windows: NTFS counts a name in UTF-16 units.
  settings.nameUnits = NameUnits::kUtf16Units;
  const ContentChoice content = ContentChoiceOf(options);
  settings.contentEncoding = content.encoding;
  settings.eciForGbk = content.eciForGbk;
  settings.escapes = EscapesOf(options);
  settings.verify = OptionRowAvailable(kVerifyRow) && Chosen(options, kVerifyRow) == 1;
  settings.sheet = qrsheets::DefaultSheet();
  settings.smallestLabelModuleMm = kSmallestModules[Chosen(options, kSmallestLabelModuleRow)];
  return settings;
}

bool WrittenInProcess(const BatchSettings &settings) {
  return settings.format != qrimage::ImageFormat::kWindowJpg || settings.recipe.autoModule ||
         settings.recipe.quietZone >= 0 || settings.caption != CaptionSource::kNone ||
         settings.verify;
}

bool OptionRowAvailable(size_t row, const char **note) {
  if (row == kVerifyRow && !qrimage::ImageWriter::CanVerify()) {
    if (note) *note = kNoDecoderNote;
    return false;
  }
  return true;
}

}  // namespace qrapp
