#include "batch_command.h"

#include "batch_run.h"
#include "input_lines.h"
#include "options.h"
#include "platform.h"
#include "qr_version.h"

namespace qrbatch {

namespace {

const char *FaultText(qrapp::LineFault fault) {
  switch (fault) {
    case qrapp::LineFault::kTooLong: return "too long for version 40 at this level";
    case qrapp::LineFault::kOutsideFolder: return "name leads outside the destination folder";
    case qrapp::LineFault::kInvalidName: return "not a valid file name";
    default: return "could not be written";
  }
}

class CommandObserver : public qrapp::BatchObserver {
 public:
  CommandObserver(const qrapp::SymbolRecipe &recipe, std::FILE *progress)
      : recipe_(recipe), progress_(progress) {}

  qrapp::SymbolRecipe RecipeForLine() override { return recipe_; }

  void LineFinished(int done, int total, int written, const std::string &, bool) override {
    if (!progress_) return;
    // About two hundred updates per run keep the terminal cheap.
    if (done == total || done % (total / 200 + 1) == 0) {
      std::fprintf(progress_, "\r%d/%d lines, %d written", done, total, written);
      if (done == total) std::fputc('\n', progress_);
      std::fflush(progress_);
    }
  }

 private:
  qrapp::SymbolRecipe recipe_;
  std::FILE *progress_;
};

}  // namespace

int RunCommand(const std::vector<std::string> &args, qrapp::EngineApi &engine, std::FILE *in,
               std::FILE *out, std::FILE *err) {
  Options options;
  std::string error;
  if (!ParseOptions(args, options, error)) {
    std::fprintf(err, "qrbatch: %s\n%s", error.c_str(), kUsage);
    return 2;
  }
  if (options.help) {
    std::fputs(kUsage, out);
    return 0;
  }
  if (options.version) {
    std::fputs("qrbatch " QR_VERSION_TEXT "\n", out);
    return 0;
  }

  std::string input;
  const bool fromStdin = options.inputFile.empty() || options.inputFile == "-";
  std::FILE *stream = fromStdin ? in : std::fopen(options.inputFile.c_str(), "rb");
  if (!stream) {
    std::fprintf(err, "qrbatch: cannot open %s\n", options.inputFile.c_str());
    return 2;
  }
  const bool read = ReadAll(stream, input);
  if (!fromStdin) std::fclose(stream);
  if (!read) {
    std::fprintf(err, "qrbatch: cannot read the input\n");
    return 2;
  }
  if (!EnsureFolder(options.outputFolder)) {
    std::fprintf(err, "qrbatch: cannot create the folder %s\n", options.outputFolder.c_str());
    return 2;
  }

  const std::vector<std::string> lines = SplitInputLines(input);
  CommandObserver observer(options.recipe, IsTerminal(err) ? err : nullptr);
  const qrapp::BatchReport report =
      qrapp::RunBatch(engine, lines, options.outputFolder, PathSeparator(), observer);

  for (const qrapp::LineFailure &failure : report.failures) {
    std::fprintf(err, "qrbatch: line %d: %s: %s\n", failure.lineNumber,
                 FaultText(failure.fault), failure.line.c_str());
  }
  if (!report.failures.empty()) {
    std::fprintf(err, "qrbatch: %d of %d lines produced no file\n",
                 static_cast<int>(report.failures.size()), report.total);
    return 1;
  }
  return 0;
}

}  // namespace qrbatch
