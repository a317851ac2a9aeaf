#include "line_decision.h"

#include "batch_file_name.h"
#include "image_fit.h"
#include "line_parts.h"
#include "symbol_engine.h"

namespace qrbatch {

LineDecider::LineDecider(const Options &options, int modulePixels, char separator, long long lineCount)
    : options_(options), modulePixels_(modulePixels), separator_(separator) {
  for (long long rest = lineCount; rest >= 10; rest /= 10) ++digits_;
}

std::string LineDecider::NumberName(int lineNumber) const {
  std::string name = std::to_string(lineNumber);
  if (static_cast<int>(name.size()) < digits_) name.insert(0, static_cast<size_t>(digits_) - name.size(), '0');
  return name;
}

bool LineDecider::Decide(int lineNumber, std::string line, LineJob &job, qrapp::LineFailure &failure) {
  qrapp::LineParts parts = qrapp::SplitNameAndContent(line);
  if (options_.names == FileNames::kNumber) parts.name = NumberName(lineNumber);

  failure = qrapp::LineFailure();
  failure.lineNumber = lineNumber;
  const qrapp::BatchFileName name = qrapp::MakeBatchFileName(
      options_.outputFolder, parts.name, separator_, ExtensionOf(options_.format));
  if (name.fault != qrapp::NameFault::kNone) {
    failure.fault = name.fault == qrapp::NameFault::kOutsideFolder ? qrapp::LineFault::kOutsideFolder
                                                                   : qrapp::LineFault::kInvalidName;
  } else {
    qr::SymbolSettings settings;
    settings.requestedVersion = options_.recipe.version;
    settings.level = options_.recipe.level;
    const qr::SymbolSize size = qr::MeasureSymbol(parts.content.data(), parts.content.size(), settings);
    const long long pixels = static_cast<long long>(size.side) * modulePixels_;
    const int symbolPixels = pixels > 2147483647LL ? 2147483647 : static_cast<int>(pixels);
    if (size.version == 0) {
      failure.fault = qrapp::LineFault::kTooLong;
    } else if (!qrapp::SymbolFitsImage(symbolPixels, options_.recipe.width, options_.recipe.height)) {
      failure.fault = qrapp::LineFault::kTooLarge;
      failure.symbolPixels = symbolPixels;
      failure.width = options_.recipe.width;
      failure.height = options_.recipe.height;
    } else if (const int holder = names_.Claim(name.path, parts.content, lineNumber)) {
      failure.fault = qrapp::LineFault::kNameTaken;
      failure.takenBy = holder;
    }
  }
  if (failure.fault != qrapp::LineFault::kNone) {
    failure.line = std::move(line);
    return false;
  }
  job.lineNumber = lineNumber;
  job.path = name.path;
  job.content = std::move(parts.content);
  job.line = std::move(line);
  return true;
}

}  // namespace qrbatch
