#include "window_options.h"

#include <string>
#include <string_view>

#include "image_fit.h"
#include "image_writer.h"
#include "options_dialog_layout.h"

namespace qrapp {

namespace {

constexpr size_t kRowCount = std::size(resources::kOptionRows);

int ChoiceOf(const resources::OptionRow &row, const std::string &value) {
  for (size_t i = 0; i < row.choiceCount; ++i)
    if (value == row.choices[i].value) return static_cast<int>(i);
  return row.defaultChoice;
}

int Chosen(const WindowOptions &options, size_t row) {
  const int choice = row < options.choices.size() ? options.choices[row] : -1;
  const bool valid =
      choice >= 0 && static_cast<size_t>(choice) < resources::kOptionRows[row].choiceCount;
  return valid ? choice : resources::kOptionRows[row].defaultChoice;
}

}  // namespace

int ChosenOf(const WindowOptions &options, size_t row) { return Chosen(options, row); }

bool EscapesOf(const WindowOptions &options) {
  static_assert(std::size(resources::kEscapesChoices) == 2);
  return Chosen(options, resources::OptionRowOf("escapes")) == 1;
}

void SetEscapes(WindowOptions &options, bool on) {
  const size_t row = resources::OptionRowOf("escapes");
  if (options.choices.size() <= row) options.choices.resize(kRowCount, -1);
  options.choices[row] = on ? 1 : 0;
}

WindowOptions LoadOptions(SettingsStore &settings) {
  WindowOptions options;
  for (const resources::OptionRow &row : resources::kOptionRows)
    options.choices.push_back(ChoiceOf(row, settings.Read(kSettingsSection, row.key)));
  return options;
}

void SaveOptions(SettingsStore &settings, const WindowOptions &options) {
  for (size_t i = 0; i < kRowCount; ++i) {
    const resources::OptionRow &row = resources::kOptionRows[i];
    settings.Write(kSettingsSection, row.key, row.choices[Chosen(options, i)].value);
  }
}

namespace {

// The choice of row `row` named by the word its value has in `words`.
template <typename Value, size_t N>
Value WordOfRow(const WindowOptions &options, size_t row, const batch::Word<Value> (&words)[N]) {
  Value value = words[0].value;
  batch::WordOf(words, resources::kOptionRows[row].choices[Chosen(options, row)].value, value);
  return value;
}

// Every value a row keeps names a word of the batch's tables.
template <typename Value, size_t N, size_t M>
constexpr bool EveryValueIsAWord(const resources::OptionChoice (&choices)[M],
                                 const batch::Word<Value> (&words)[N]) {
  for (const resources::OptionChoice &choice : choices) {
    bool found = false;
    for (const batch::Word<Value> &word : words)
      found = found || std::string_view(choice.value) == word.word;
    if (!found) return false;
  }
  return true;
}
static_assert(EveryValueIsAWord(resources::kFileTypeChoices, batch::kFormatWords));
static_assert(EveryValueIsAWord(resources::kFileNameChoices, batch::kFileNameWords));
static_assert(EveryValueIsAWord(resources::kCaptionChoices, batch::kCaptionWords));
static_assert(EveryValueIsAWord(resources::kContentEncodingChoices, batch::kContentWords));

batch::BatchRecipe EngineSized(batch::BatchRecipe recipe) {
  const batch::ImageSize image = batch::EngineImageSize(recipe.width, recipe.height);
  recipe.width = image.width;
  recipe.height = image.height;
  return recipe;
}

}  // namespace

batch::ContentChoice ContentChoiceOf(const WindowOptions &options) {
  return WordOfRow(options, resources::kContentEncodingRow, batch::kContentWords);
}

batch::BatchSettings BatchSettingsOf(const WindowOptions &options,
                                     const batch::BatchRecipe &controls) {
  static constexpr int kQuietZones[] = {-1, 1, 2, 4};
  static_assert(std::size(kQuietZones) == std::size(resources::kQuietZoneChoices));
  static constexpr double kSmallestModules[] = {0.25, 0.2, 0.33, 0.5, 0};
  static_assert(std::size(kSmallestModules) == std::size(resources::kSmallestLabelModuleChoices));
  static_assert(kSmallestModules[0] == batch::kDefaultSmallestLabelModuleMm);
  batch::BatchSettings settings;
  settings.recipe = EngineSized(controls);
  settings.recipe.autoModule = Chosen(options, resources::kModuleSizeRow) == 1;
  settings.recipe.quietZone = kQuietZones[Chosen(options, resources::kQuietZoneRow)];
  settings.format = WordOfRow(options, resources::kFileTypeRow, batch::kFormatWords);
  settings.names = WordOfRow(options, resources::OptionRowOf("names"), batch::kFileNameWords);
  settings.caption = WordOfRow(options, resources::kCaptionRow, batch::kCaptionWords);
  // The window runs on Windows: NTFS counts a name in UTF-16 units.
  settings.nameUnits = batch::NameUnits::kUtf16Units;
  const batch::ContentChoice content = ContentChoiceOf(options);
  settings.contentEncoding = content.encoding;
  settings.eciForGbk = content.eciForGbk;
  settings.escapes = EscapesOf(options);
  settings.verify =
      OptionRowAvailable(resources::kVerifyRow) && Chosen(options, resources::kVerifyRow) == 1;
  settings.sheet = qrsheets::DefaultSheet();
  settings.smallestLabelModuleMm =
      kSmallestModules[Chosen(options, resources::kSmallestLabelModuleRow)];
  return settings;
}

bool WrittenInProcess(const batch::BatchSettings &settings) {
  return settings.format != qrimage::ImageFormat::kWindowJpg || settings.recipe.autoModule ||
         settings.recipe.quietZone >= 0 || settings.caption != batch::CaptionSource::kNone ||
         settings.verify;
}

bool OptionRowAvailable(size_t row, const char **note) {
  if (row == resources::kVerifyRow && !qrimage::ImageWriter::CanVerify()) {
    if (note) *note = resources::kNoDecoderNote;
    return false;
  }
  return true;
}

}  // namespace qrapp
