#include "line_decision.h"

#include <cerrno>
#include <new>

#include "batch_file_name.h"
#include "input_lines.h"
#include "line_parts.h"
#include "system_error.h"

namespace qrbatch {

LineDecider::LineDecider(const Options &options, int modulePixels, char separator,
                         long long lineCount)
    : options_(options),
      settings_(qrapp::SymbolSettingsOf(options.recipe)),
      modulePixels_(modulePixels),
      separator_(separator),
      // Names are decoded text, UTF-8 (Windows takes them as Unicode).
      names_(qrapp::NameEncoding::kUtf8) {
  for (long long rest = lineCount; rest >= 10; rest /= 10) ++digits_;
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

std::string LineDecider::Shown(std::string line) const {
  std::string text;
  const qrtext::InputDecoder &input = input_ ? *input_ : utf8Lines_;
  if (input.DecodeLine(line, text)) return text;
  return line;
}

qrapp::LineFault LineDecider::EncodeParts(qrapp::LineParts &parts, int &eciDesignator) const {
  const qrtext::InputDecoder &input = input_ ? *input_ : utf8Lines_;
  std::string text;
  if (options_.names != FileNames::kNumber) {
    if (!input.DecodeLine(parts.name, text)) return qrapp::LineFault::kUndecodable;
    parts.name.swap(text);
  }
  // Raw content: the line's bytes as read, whatever they are.
  if (options_.contentEncoding == qrtext::ContentEncoding::kRaw) return qrapp::LineFault::kNone;
  if (!input.DecodeLine(parts.content, text)) return qrapp::LineFault::kUndecodable;
  qrtext::EncodedContent encoded;
  if (!qrtext::EncodeContent(text, options_.contentEncoding, options_.eciForGbk, encoded))
    return qrapp::LineFault::kUnrepresentable;
  parts.content.swap(encoded.bytes);
  eciDesignator = encoded.eciDesignator;
  return qrapp::LineFault::kNone;
}

bool LineDecider::DecideLine(int lineNumber, std::string &line, LineJob &job,
                             qrapp::LineFailure &failure) {
  // A line the reader cut (input_lines.h) holds more than any symbol.
  const bool cut = line.size() > qrplatform::kLongestLine;
  qrapp::LineParts parts = qrapp::SplitNameAndContent(line);
  failure = qrapp::LineFailure();
  failure.lineNumber = lineNumber;
  int eciDesignator = 0;
  // A cut line fails as too long below, whatever its last character.
  if (!cut) failure.fault = EncodeParts(parts, eciDesignator);
  if (failure.fault != qrapp::LineFault::kNone) {
    failure.line = Shown(std::move(line));
    return false;
  }
  if (options_.names == FileNames::kNumber) parts.name = NumberName(lineNumber);
  const qrapp::BatchFileName name = qrapp::MakeBatchFileName(
      options_.outputFolder, parts.name, separator_, ExtensionOf(options_.format), true);
  qr::SymbolPlan plan;
  const auto symbolPixels = [&] {
    if (cut) return 0;
    // Every byte, a zero byte included: a line's content is what it holds.
    plan = qrapp::PlanContent(parts.content, eciDesignator, settings_);
    return qrapp::SymbolPixels(plan, modulePixels_);
  };
  uint64_t nameKey = 0;
  failure.fault = qrapp::CheckLine(
      name, parts.content, qrapp::EngineImageSize(options_.recipe.width, options_.recipe.height),
      lineNumber, symbolPixels, names_, failure, &nameKey);
  if (failure.fault != qrapp::LineFault::kNone) {
    failure.line = Shown(std::move(line));
    return false;
  }
  job.lineNumber = lineNumber;
  job.path = name.path;
  job.content = std::move(parts.content);
  job.nameKey = nameKey;
  job.plan = std::move(plan);
  job.line = Shown(std::move(line));
  return true;
}

}  // namespace qrbatch
