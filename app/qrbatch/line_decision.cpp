#include "line_decision.h"

#include <cerrno>
#include <new>
#include <string>
#include <utility>

#include "batch_file_name.h"
#include "content_escapes.h"
#include "input_lines.h"
#include "native_text.h"
#include "safe_file_name.h"
#include "system_error.h"

namespace qrbatch {

namespace {

// How this build's file systems count a name's length: NTFS in UTF-16
// units, ext4 and the like in bytes.
#ifdef _WIN32
constexpr qrapp::NameUnits kNameUnits = qrapp::NameUnits::kUtf16Units;
#else
constexpr qrapp::NameUnits kNameUnits = qrapp::NameUnits::kUtf8Bytes;
#endif

}  // namespace

LineDecider::LineDecider(const Options &options, int modulePixels, char separator,
                         long long lineCount)
    : options_(options),
      settings_(qrapp::SymbolSettingsOf(options.recipe)),
      modulePixels_(modulePixels),
      separator_(separator),
      // Names are decoded text, UTF-8 (Windows takes them as Unicode).
      names_(qrapp::NameEncoding::kUtf8) {
  for (long long rest = lineCount; rest >= 10; rest /= 10) ++digits_;
  captionBand_ = CaptionBandOf(options);
}

std::string LineDecider::NumberName(int lineNumber) const {
  std::string name = std::to_string(lineNumber);
  if (static_cast<int>(name.size()) < digits_)
    name.insert(0, static_cast<size_t>(digits_) - name.size(), '0');
  return name;
}

bool LineDecider::Decide(int lineNumber, std::string line, LineJob &job,
                         qrapp::LineFailure &failure) {
  InputRecord record;
  record.lineNumber = lineNumber;
  record.cut = line.size() > qrplatform::kLongestLine;
  record.fields = qrapp::SplitTabColumns(line);
  record.text = std::move(line);
  return Decide(std::move(record), job, failure);
}

bool LineDecider::Decide(InputRecord record, LineJob &job, qrapp::LineFailure &failure) {
  lastName_.clear();
  try {
    return DecideLine(record, job, failure);
  } catch (const std::bad_alloc &) {
    // Memory ran short for this line: it fails, the batch goes on. Its name
    // was not claimed (the claim is the last step and allocates first).
    failure = qrapp::LineFailure();
    failure.lineNumber = record.lineNumber;
    failure.fault = qrapp::LineFault::kNotWritten;
    failure.reason = qrplatform::ErrnoText(ENOMEM);
    failure.line = std::move(record.text);
    return false;
  }
}

std::string LineDecider::NameOf(const qrapp::LineRecord &parts, int lineNumber) const {
  switch (options_.names) {
    case FileNames::kNumber: return NumberName(lineNumber);
    case FileNames::kSafe:
      return qrapp::SafeFileName(parts.name, kNameUnits,
                                 std::char_traits<char>::length(ExtensionOf(options_.format)));
    default: return parts.name;
  }
}

std::string LineDecider::Shown(std::string line) const {
  std::string text;
  if (Input().DecodeLine(line, text)) return text;
  return line;
}

// The faults of the record itself: its columns, an unclosed quote, a column
// that is no text in the input's encoding, a bad escape. Fills `parts` (as
// text; the content unescaped, and left as read when it is raw) when there
// is none.
bool LineDecider::RecordFails(InputRecord &record, qrapp::LineRecord &parts,
                              qrapp::LineFailure &failure) {
  using qrapp::LineFault;
  using qrapp::RecordFault;
  if (record.unclosed) {
    failure.fault = LineFault::kUnclosedQuote;
    return true;
  }
  const RecordFault fault = qrapp::RecordOfColumns(std::move(record.fields), columns_,
                                                   options_.names != FileNames::kNumber, parts);
  if (fault != RecordFault::kNone) {
    failure.fault =
        fault == RecordFault::kMissingColumn ? LineFault::kMissingColumn : LineFault::kExtraColumns;
    return true;
  }
  // A cut line fails as too long later, whatever its last character.
  if (record.cut) return false;
  const bool raw = options_.contentEncoding == qrtext::ContentEncoding::kRaw;
  std::string text;
  for (std::string *column : {&parts.name, &parts.caption, &parts.content}) {
    if (column == &parts.content && raw) break;  // the line's bytes as read
    if (!Input().DecodeLine(*column, text)) {
      failure.fault = LineFault::kUndecodable;
      return true;
    }
    column->swap(text);
  }
  if (options_.escapes) {
    if (!qrapp::UnescapeContent(parts.content, text, failure.reason)) {
      failure.fault = LineFault::kBadEscape;
      return true;
    }
    parts.content.swap(text);
  }
  return false;
}

// The caption's text: the name or content column as text (before the
// content is encoded), or the caption column.
std::string LineDecider::CaptionOf(const qrapp::LineRecord &parts) const {
  switch (options_.caption) {
    case CaptionSource::kName: return parts.name;
    case CaptionSource::kContent: return parts.content;
    case CaptionSource::kColumn: return parts.caption;
    default: return std::string();
  }
}

// The content text as the symbol's bytes, in the content encoding.
qrapp::LineFault LineDecider::EncodeContent(std::string &content, int &eciDesignator) const {
  if (options_.contentEncoding == qrtext::ContentEncoding::kRaw) return qrapp::LineFault::kNone;
  qrtext::EncodedContent encoded;
  if (!qrtext::EncodeContent(content, options_.contentEncoding, options_.eciForGbk, encoded))
    return qrapp::LineFault::kUnrepresentable;
  content.swap(encoded.bytes);
  eciDesignator = encoded.eciDesignator;
  return qrapp::LineFault::kNone;
}

bool LineDecider::DecideLine(InputRecord &record, LineJob &job, qrapp::LineFailure &failure) {
  const int lineNumber = record.lineNumber;
  // A line the reader cut (input_lines.h) holds more than any symbol.
  const bool cut = record.cut;
  failure = qrapp::LineFailure();
  failure.lineNumber = lineNumber;
  qrapp::LineRecord parts;
  int eciDesignator = 0;
  std::string caption;
  if (!RecordFails(record, parts, failure)) caption = CaptionOf(parts);
  if (failure.fault != qrapp::LineFault::kNone ||
      (!cut &&
       (failure.fault = EncodeContent(parts.content, eciDesignator)) != qrapp::LineFault::kNone)) {
    failure.line = Shown(std::move(record.text));
    return false;
  }
  if (sheets_) return DecideLabel(record, parts, eciDesignator, caption, job, failure);
  const std::string extension = ExtensionOf(options_.format);
  const std::string fileName = NameOf(parts, lineNumber);
  lastName_ = fileName + extension;

  const qrapp::BatchFileName name =
      qrapp::MakeBatchFileName(options_.outputFolder, fileName, separator_, extension, true);
  qr::SymbolPlan plan;
  qrapp::PictureFit fit;
  const auto symbolPixels = [&] {
    if (cut) return 0;
    // Every byte, a zero byte included: a line's content is what it holds.
    plan = qrapp::PlanContent(parts.content, eciDesignator, settings_);
    fit = qrapp::FitPicture(plan, options_.recipe, modulePixels_, captionBand_);
    return fit.neededPixels;
  };
  uint64_t nameKey = 0;
  qrapp::ImageSize image = qrapp::EngineImageSize(options_.recipe.width, options_.recipe.height);
  image.captionBand = captionBand_;
  failure.fault = qrapp::CheckLine(name, parts.content, image, lineNumber, symbolPixels, names_,
                                   failure, &nameKey);
  // No module size at all: the way out is a larger image only.
  if (failure.fault == qrapp::LineFault::kTooLarge && options_.recipe.autoModule)
    failure.fault = qrapp::LineFault::kNoModuleFits;
  if (failure.fault != qrapp::LineFault::kNone) {
    failure.line = Shown(std::move(record.text));
    return false;
  }
  job.lineNumber = lineNumber;
  job.path = name.path;
  job.content = std::move(parts.content);
  job.caption = std::move(caption);
  job.nameKey = nameKey;
  job.plan = std::move(plan);
  job.modulePixels = fit.modulePixels;
  job.quietZoneModules = fit.quietZoneModules;
  job.narrowQuietZone = options_.recipe.warnQuietZone &&
                        fit.quietZoneModules < qrapp::BatchRecipe::kStandardQuietZone;
  job.line = Shown(std::move(record.text));
  return true;
}

// A label's line: planned at the version and level, nothing else.
bool LineDecider::DecideLabel(InputRecord &record, qrapp::LineRecord &parts, int eciDesignator,
                              std::string &caption, LineJob &job, qrapp::LineFailure &failure) {
  lastName_ = parts.name;
  qr::SymbolPlan plan;
  if (!record.cut) plan = qrapp::PlanContent(parts.content, eciDesignator, settings_);
  if (plan.result != qr::EncodeResult::kWritten) {
    failure.fault = qrapp::LineFault::kTooLong;
    if (plan.result == qr::EncodeResult::kOutOfMemory) {
      failure.fault = qrapp::LineFault::kNotWritten;
      failure.reason = qrplatform::ErrnoText(ENOMEM);
    }
    failure.line = Shown(std::move(record.text));
    return false;
  }
  job = LineJob();
  job.lineNumber = record.lineNumber;
  job.content = std::move(parts.content);
  job.caption = std::move(caption);
  job.plan = std::move(plan);
  job.line = Shown(std::move(record.text));
  return true;
}

}  // namespace qrbatch
