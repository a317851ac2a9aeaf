#include "line_decision.h"

#include <cerrno>
#include <new>

#include "batch_file_name.h"
#include "input_lines.h"
#include "line_parts.h"
#include "native_text.h"
#include "system_error.h"

namespace qrbatch {

LineDecider::LineDecider(const Options &options, int modulePixels, char separator,
                         long long lineCount)
    : options_(options),
      settings_(qrapp::SymbolSettingsOf(options.recipe)),
      modulePixels_(modulePixels),
      separator_(separator),
      // Names go to the file system in the system's own encoding.
      names_(qrplatform::kNativeTextIsGbk ? qrapp::NameEncoding::kGbk
                                          : qrapp::NameEncoding::kUtf8) {
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
  try {
    return DecideLine(lineNumber, line, job, failure);
  } catch (const std::bad_alloc &) {
    // Memory ran short for this line: it fails, the batch goes on. Its name
    // was not claimed (the claim is the last step and allocates first).
    failure = qrapp::LineFailure();
    failure.lineNumber = lineNumber;
    failure.fault = qrapp::LineFault::kNotWritten;
    failure.reason = qrplatform::ErrnoText(ENOMEM);
    failure.line = std::move(line);
    return false;
  }
}

bool LineDecider::DecideLine(int lineNumber, std::string &line, LineJob &job,
                             qrapp::LineFailure &failure) {
  // A line the reader cut (input_lines.h) holds more than any symbol.
  const bool cut = line.size() > qrplatform::kLongestLine;
  qrapp::LineParts parts = qrapp::SplitNameAndContent(line);
  std::string caption;
  if (options_.caption == CaptionSource::kName) {
    caption = parts.name;
  } else if (options_.caption == CaptionSource::kColumn) {
    // name TAB content TAB caption: the content ends at its first TAB.
    const size_t tab = parts.content.find('\t');
    if (tab != std::string::npos) {
      caption = parts.content.substr(tab + 1);
      parts.content.resize(tab);
    }
  } else if (options_.caption == CaptionSource::kContent) {
    caption = parts.content;
  }
  if (options_.names == FileNames::kNumber) parts.name = NumberName(lineNumber);

  failure = qrapp::LineFailure();
  failure.lineNumber = lineNumber;
  const qrapp::BatchFileName name = qrapp::MakeBatchFileName(
      options_.outputFolder, parts.name, separator_, ExtensionOf(options_.format));
  qr::SymbolPlan plan;
  const auto symbolPixels = [&] {
    if (cut) return 0;
    // Every byte, a zero byte included: a line's content is what it holds.
    const char *data = parts.content.data();
    const size_t size = parts.content.size();
    plan = qr::PlanSymbol(data, size, {qr::AllBytesSegment(data, size)}, settings_);
    return qrapp::SymbolPixels(plan, modulePixels_);
  };
  uint64_t nameKey = 0;
  qrapp::ImageSize image = qrapp::EngineImageSize(options_.recipe.width, options_.recipe.height);
  image.captionBand = captionBand_;
  failure.fault = qrapp::CheckLine(name, parts.content, image, lineNumber, symbolPixels, names_,
                                   failure, &nameKey);
  if (failure.fault != qrapp::LineFault::kNone) {
    failure.line = std::move(line);
    return false;
  }
  job.lineNumber = lineNumber;
  job.path = name.path;
  job.content = std::move(parts.content);
  job.nameKey = nameKey;
  job.plan = std::move(plan);
  job.caption = std::move(caption);
  job.line = std::move(line);
  return true;
}

}  // namespace qrbatch
