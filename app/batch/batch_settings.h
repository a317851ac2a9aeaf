// What a batch is asked to do, the window's and qrbatch's alike: each front
// end turns its own options into one BatchSettings, and the line decider
// (line_decider.h) reads nothing else. The words both front ends use for
// the choices are here, once.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "batch_recipe.h"
#include "content_encoding.h"
#include "image_format.h"
#include "safe_file_name.h"
#include "sheet_layout.h"

namespace batch {

// Files named after the line (its name column), by line number, or after
// the name column made safe for any file system (SafeFileName).
enum class FileNames { kLine, kNumber, kSafe };

// What is written under each code: nothing, the line's name, its content,
// or its caption column.
enum class CaptionSource { kNone, kName, kContent, kColumn };

// A choice and the word that names it on the command line and in Set.ini.
template <typename Value>
struct Word {
  const char *word;
  Value value;
};

inline constexpr Word<FileNames> kFileNameWords[] = {
    {"line", FileNames::kLine}, {"number", FileNames::kNumber}, {"safe", FileNames::kSafe}};
inline constexpr Word<CaptionSource> kCaptionWords[] = {{"none", CaptionSource::kNone},
                                                        {"name", CaptionSource::kName},
                                                        {"content", CaptionSource::kContent},
                                                        {"column", CaptionSource::kColumn}};
// How a line's content is encoded in the symbol, and whether GBK is
// announced by ECI 29: "gbk-eci" is the window's row for --encoding gbk --eci.
struct ContentChoice {
  qrtext::ContentEncoding encoding = qrtext::ContentEncoding::kGbk;
  bool eciForGbk = false;
};
inline constexpr Word<ContentChoice> kContentWords[] = {
    {"gbk", {qrtext::ContentEncoding::kGbk, false}},
    {"utf-8", {qrtext::ContentEncoding::kUtf8, false}},
    {"utf-8-noeci", {qrtext::ContentEncoding::kUtf8NoEci, false}},
    {"gbk-eci", {qrtext::ContentEncoding::kGbk, true}},
    {"raw", {qrtext::ContentEncoding::kRaw, false}}};
// The formats under their own extension; the window's bitmap named ".jpg"
// is "jpg" in Set.ini and qrbatch's default without --format.
inline constexpr Word<qrimage::ImageFormat> kFormatWords[] = {
    {"jpg", qrimage::ImageFormat::kWindowJpg},
    {"bmp", qrimage::ImageFormat::kBmp},
    {"png", qrimage::ImageFormat::kPng},
    {"svg", qrimage::ImageFormat::kSvg},
    {"pdf", qrimage::ImageFormat::kPdf}};

// The value `text` names in `words`; false when none does.
template <typename Value, size_t N>
bool WordOf(const Word<Value> (&words)[N], std::string_view text, Value &value) {
  for (const Word<Value> &word : words) {
    if (text == word.word) {
      value = word.value;
      return true;
    }
  }
  return false;
}

// How this build's file systems count a name's length: NTFS in UTF-16
// units, ext4 and the like in bytes.
#ifdef _WIN32
inline constexpr NameUnits kBuildNameUnits = NameUnits::kUtf16Units;
#else
inline constexpr NameUnits kBuildNameUnits = NameUnits::kUtf8Bytes;
#endif

// A label whose module would come out smaller than this (about 3 dots of a
// 300 dpi label printer) is refused rather than printed unreadable.
inline constexpr double kDefaultSmallestLabelModuleMm = 0.25;

struct BatchSettings {
  BatchRecipe recipe;
  // The files; kPdf: one PDF of label sheets for the whole batch.
  qrimage::ImageFormat format = qrimage::ImageFormat::kWindowJpg;
  FileNames names = FileNames::kLine;
  NameUnits nameUnits = kBuildNameUnits;  // how safe names are cut
  CaptionSource caption = CaptionSource::kNone;
  // The content in the symbol.
  qrtext::ContentEncoding contentEncoding = qrtext::ContentEncoding::kUtf8;
  bool eciForGbk = false;
  bool escapes = false;  // \n \r \t \\ \xNN \uNNNN in the content
  // The name, content and caption columns, by 1-based number or header
  // name; empty: by the number of columns.
  std::vector<std::string> columns;
  bool verify = false;  // every image read back before it gets its name
  // Label sheets: the page and its grid, the labels' module (0: the
  // largest the label allows) and the smallest module a label may have
  // (0: no floor).
  qrsheets::SheetRequest sheet;
  double labelModuleMm = 0;
  double smallestLabelModuleMm = kDefaultSmallestLabelModuleMm;

  bool labelSheets() const { return format == qrimage::ImageFormat::kPdf; }
};

// Rows at the bottom of every image kept for its caption; 0 without
// captions (and on labels, whose captions are laid out by the sheet).
int CaptionBandOf(const BatchSettings &settings);

// The images' size and stated resolution, as the writers take them.
inline qrimage::ImageFrame FrameOf(const BatchRecipe &recipe) {
  return {recipe.width, recipe.height, recipe.dotsPerInch};
}

// A label's caption is its name unless the settings choose another.
CaptionSource LabelCaptionOf(const BatchSettings &settings);

}  // namespace batch
