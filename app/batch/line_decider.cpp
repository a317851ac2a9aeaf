#include "line_decider.h"

#include <cerrno>
#include <new>
#include <string>
#include <utility>

#include "batch_file_name.h"
#include "caption_text.h"
#include "content_escapes.h"
#include "safe_file_name.h"
#include "system_error.h"

namespace batch {

InputRecord RecordOfLine(int lineNumber, std::string line) {
  InputRecord record;
  record.lineNumber = lineNumber;
  record.fields = SplitTabColumns(line);
  record.text = std::move(line);
  return record;
}

LineDecider::LineDecider(const BatchSettings &settings, const std::string &folder, char separator,
                         long long lineCount)
    : settings_(settings),
      folder_(folder),
      symbolSettings_(SymbolSettingsOf(settings.recipe)),
      modulePixels_(RecipeModulePixels(settings.recipe)),
      separator_(separator),
      captionBand_(CaptionBandOf(settings)),
      caption_(LabelCaptionOf(settings)),
      // Names are decoded text, UTF-8 (Windows takes them as Unicode).
      names_(NameEncoding::kUtf8) {
  for (long long rest = lineCount; rest >= 10; rest /= 10) ++digits_;
}

std::string LineDecider::NumberName(int lineNumber) const {
  std::string name = std::to_string(lineNumber);
  if (static_cast<int>(name.size()) < digits_)
    name.insert(0, static_cast<size_t>(digits_) - name.size(), '0');
  return name;
}

LineDecision LineDecider::Decide(InputRecord record) {
  LineDecision decision;
  try {
    decision.failure = std::make_unique<LineFailure>();
    decision.failure->lineNumber = record.lineNumber;
    DecideLine(record, decision);
  } catch (const std::bad_alloc &) {
    // Memory ran short for this line: it fails, the batch goes on. Its name
    // was not claimed (the claim is the last step and allocates first).
    decision = LineDecision();
    decision.failure = std::make_unique<LineFailure>();
    decision.failure->lineNumber = record.lineNumber;
    decision.failure->fault = LineFault::kNotWritten;
    decision.failure->reason = qrplatform::ErrnoText(ENOMEM);
    decision.failure->line = std::move(record.text);
  }
  return decision;
}

std::string LineDecider::NameOf(const LineRecord &parts, int lineNumber) const {
  switch (settings_.names) {
    case FileNames::kNumber: return NumberName(lineNumber);
    case FileNames::kSafe:
      return SafeFileName(parts.name, settings_.nameUnits,
                          std::char_traits<char>::length(qrimage::ExtensionOf(settings_.format)));
    default: return parts.name;
  }
}

std::string LineDecider::Shown(std::string line) const {
  std::string text;
  if (Input().DecodeLine(line, text)) return text;
  return line;
}

// The faults of the record itself: its columns, an unclosed quote, a column
// that is no text in the input's encoding, a bad escape (its text the
// failure's reason). Fills `parts` (as text; the content unescaped, and
// left as read when it is raw) when there is none.
LineFailure LineDecider::RecordFault(InputRecord &record, LineRecord &parts) const {
  LineFailure failure;
  failure.lineNumber = record.lineNumber;
  failure.fault = ColumnsFault(record, parts);
  // A cut line fails as too long later, whatever its last character.
  if (failure.fault != LineFault::kNone || record.cut) return failure;
  const bool raw = settings_.contentEncoding == qrtext::ContentEncoding::kRaw;
  std::string text;
  for (std::string *column : {&parts.name, &parts.caption, &parts.content}) {
    if (column == &parts.content && raw) break;  // the line's bytes as read
    if (!Input().DecodeLine(*column, text)) {
      failure.fault = LineFault::kUndecodable;
      return failure;
    }
    column->swap(text);
  }
  if (settings_.escapes) {
    if (!UnescapeContent(parts.content, text, failure.reason)) {
      failure.fault = LineFault::kBadEscape;
      return failure;
    }
    parts.content.swap(text);
  }
  return failure;
}

// The record's columns as the line's parts: an unclosed quote, a column
// missing or too many.
LineFault LineDecider::ColumnsFault(InputRecord &record, LineRecord &parts) const {
  if (record.unclosed) return LineFault::kUnclosedQuote;
  const batch::RecordFault fault = RecordOfColumns(std::move(record.fields), columns_,
                                                   settings_.names != FileNames::kNumber, parts);
  if (fault == RecordFault::kNone) return LineFault::kNone;
  return fault == RecordFault::kMissingColumn ? LineFault::kMissingColumn
                                              : LineFault::kExtraColumns;
}

// The caption's text, cleaned for the text stack: the name or content
// column as text (before the content is encoded), or the caption column.
std::string LineDecider::CaptionOf(const LineRecord &parts) const {
  switch (caption_) {
    case CaptionSource::kName: return qrcaption::CaptionText(parts.name);
    case CaptionSource::kContent: return qrcaption::CaptionText(parts.content);
    case CaptionSource::kColumn: return qrcaption::CaptionText(parts.caption);
    default: return std::string();
  }
}

// The content text as the symbol's bytes, in the content encoding.
LineFault LineDecider::EncodeContent(std::string &content, int &eciDesignator) const {
  if (settings_.contentEncoding == qrtext::ContentEncoding::kRaw) return LineFault::kNone;
  qrtext::EncodedContent encoded;
  if (!qrtext::EncodeContent(content, settings_.contentEncoding, settings_.eciForGbk, encoded))
    return LineFault::kUnrepresentable;
  content.swap(encoded.bytes);
  eciDesignator = encoded.eciDesignator;
  return LineFault::kNone;
}

void LineDecider::DecideLine(InputRecord &record, LineDecision &decision) {
  LineFailure &failure = *decision.failure;
  LineJob &job = decision.job;
  // A line the reader cut (input_lines.h) holds more than any symbol.
  const bool cut = record.cut;
  job.lineNumber = record.lineNumber;
  LineRecord parts;
  failure = RecordFault(record, parts);
  if (failure.fault == LineFault::kNone && !cut)
    failure.fault = EncodeContent(parts.content, job.eciDesignator);
  if (failure.fault == LineFault::kNone) {
    job.caption = CaptionOf(parts);
    job.content = std::move(parts.content);
    failure.fault =
        settings_.labelSheets() ? DecideLabel(cut, decision) : DecideImage(cut, parts, decision);
    if (settings_.labelSheets()) decision.name = parts.name;
  } else {
    job.eciDesignator = 0;
  }
  if (failure.fault != LineFault::kNone) {
    failure.line = Shown(std::move(record.text));
    return;
  }
  job.line = Shown(std::move(record.text));
  decision.failure.reset();
}

// An image's line: its file name, then the checks of line_check.h against
// the symbol planned and fitted here (or measured by the SymbolMeasure).
LineFault LineDecider::DecideImage(bool cut, LineRecord &parts, LineDecision &decision) {
  LineJob &job = decision.job;
  const std::string extension = qrimage::ExtensionOf(settings_.format);
  const std::string fileName = NameOf(parts, job.lineNumber);
  decision.name = fileName + extension;
  const BatchFileName name = MakeBatchFileName(folder_, fileName, separator_, extension, true);
  PictureFit fit;
  const auto symbolPixels = [&] {
    if (cut) return 0;
    if (measure_) return measure_->SymbolPixels({job.content, job.eciDesignator});
    // Every byte, a zero byte included: a line's content is what it holds.
    job.plan = PlanContent(job.content, job.eciDesignator, symbolSettings_);
    fit = FitPicture(job.plan, settings_.recipe, modulePixels_, captionBand_);
    return fit.neededPixels;
  };
  ImageSize image = EngineImageSize(settings_.recipe.width, settings_.recipe.height);
  image.captionBand = captionBand_;
  LineFailure &failure = *decision.failure;
  failure = CheckLine(name, job.content, image, job.lineNumber, symbolPixels, names_, &job.nameKey);
  // No module size at all: the way out is a larger image only.
  if (failure.fault == LineFault::kTooLarge && settings_.recipe.autoModule)
    failure.fault = LineFault::kNoModuleFits;
  job.path = name.path;
  job.modulePixels = fit.modulePixels;
  job.quietZoneModules = fit.quietZoneModules;
  job.narrowQuietZone =
      settings_.recipe.warnQuietZone && fit.quietZoneModules < BatchRecipe::kStandardQuietZone;
  return failure.fault;
}

// A label's line: planned at the version and level, nothing else; the
// label, not an image size, decides whether the code fits.
LineFault LineDecider::DecideLabel(bool cut, LineDecision &decision) const {
  LineJob &job = decision.job;
  if (!cut) job.plan = PlanContent(job.content, job.eciDesignator, symbolSettings_);
  if (job.plan.result == qr::EncodeResult::kWritten) return LineFault::kNone;
  if (job.plan.result == qr::EncodeResult::kOutOfMemory) {
    decision.failure->reason = qrplatform::ErrnoText(ENOMEM);
    return LineFault::kNotWritten;
  }
  return LineFault::kTooLong;
}

}  // namespace batch
