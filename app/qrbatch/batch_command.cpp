#include "batch_command.h"

#include <cerrno>
#include <memory>

#include "batch_symbol.h"
#include "descriptor_io.h"
#include "folders.h"
#include "input_lines.h"
#include "line_decision.h"
#include "line_workers.h"
#include "native_text.h"
#include "options.h"
#include "ordered_report.h"
#include "output_folder.h"
#include "qr_version.h"
#ifdef QR_HAVE_SHEETS
#include "sheet_batch.h"
#endif
#include "stale_temporaries.h"
#include "stop_request.h"
#include "system_error.h"
#include "terminal.h"
#include "worker_threads.h"

namespace qrbatch {

namespace {

using qrplatform::CountLines;
using qrplatform::EnsureFolder;
using qrplatform::ErrnoText;
using qrplatform::IsRegularFile;
using qrplatform::IsTerminal;
using qrplatform::LineReader;
using qrplatform::OnlineCores;
using qrplatform::PathSeparator;
using qrplatform::SpoolToTemporaryFile;
using qrplatform::StopRequested;

// The console's encoding, for the lines the report shows on standard error.
constexpr qrapp::ReportEncoding kConsoleEncoding =
    qrplatform::kNativeTextIsGbk ? qrapp::ReportEncoding::kGbk : qrapp::ReportEncoding::kUtf8;

int OpenInput(const std::string &path) { return qrplatform::OpenForReading(path); }

void CloseInput(int descriptor) { qrplatform::CloseDescriptor(descriptor); }

// Reads, decides and hands on every line; returns the exit status.
int RunLines(const Options &options, const qrplatform::OutputFolder &folder, int input,
             long long lineCount, std::FILE *err) {
  const int modulePixels = qrapp::BatchModulePixels();
  const int workerCount = options.jobs > 0 ? options.jobs : OnlineCores();
  OrderedReport report(err, IsTerminal(err) ? err : nullptr, lineCount, kConsoleEncoding);
  LineWorkers workers(workerCount, options, folder, modulePixels, report);
  if (!workers.Start()) {
    std::fprintf(err, "qrbatch: cannot start %d workers\n", workerCount);
    workers.Finish(true);
    return 2;
  }
  LineDecider decider(options, modulePixels, PathSeparator(), lineCount);
  LineReader reader(input);
  std::string line;
  LineJob job;
  int lineNumber = 0;
  LineReader::Result result;
  while ((result = reader.Next(line)) == LineReader::Result::kLine) {
    report.Begin(++lineNumber);
    auto failure = std::make_unique<qrapp::LineFailure>();
    if (decider.Decide(lineNumber, std::move(line), job, *failure)) {
      workers.Submit(std::move(job));
    } else {
      report.Settle(lineNumber, std::move(failure));
    }
    if (StopRequested()) {
      result = LineReader::Result::kStopped;
      break;
    }
  }
  const bool stopped = result == LineReader::Result::kStopped || StopRequested();
  workers.Finish(stopped);
  report.Close();
  if (stopped) {
    const long long known = lineCount > report.begun() ? lineCount : report.begun();
    std::fprintf(err, "qrbatch: interrupted after %d of %lld lines\n", report.settled(), known);
    return 130;
  }
  if (result == LineReader::Result::kFailed) {
    std::fprintf(err, "qrbatch: cannot read the input after line %d: %s\n", lineNumber,
                 ErrnoText(reader.error()).c_str());
    return 2;
  }
  if (report.failures() > 0) {
    std::fprintf(err, "qrbatch: %d of %d lines produced no file\n", report.failures(), lineNumber);
    return 1;
  }
  return 0;
}

}  // namespace

int RunCommand(const std::vector<std::string> &args, std::FILE *in, std::FILE *out,
               std::FILE *err) {
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

  const bool fromStdin = options.inputFile.empty() || options.inputFile == "-";
  int input = fromStdin ? fileno(in) : OpenInput(options.inputFile);
  if (input < 0) {
    std::fprintf(err, "qrbatch: cannot open %s: %s\n", options.inputFile.c_str(),
                 ErrnoText(errno).c_str());
    return 2;
  }
  // Numbered names are as wide as the line count: a file is counted first;
  // other input (a pipe, a terminal) is kept in a temporary file until its
  // end, so such a batch starts writing only then.
  long long lineCount = 0;
  if (options.names == FileNames::kNumber) {
    if (!IsRegularFile(input)) {
      const int spooled = SpoolToTemporaryFile(input);
      if (spooled < 0 && StopRequested()) {
        std::fputs("qrbatch: interrupted after 0 of 0 lines\n", err);
        return 130;
      }
      if (spooled < 0) {
        std::fprintf(err, "qrbatch: cannot keep the input in a temporary file: %s\n",
                     ErrnoText(errno).c_str());
        return 2;
      }
      input = spooled;  // the spool stays open to the end of the process
    }
    if (!CountLines(input, lineCount)) {
      std::fprintf(err, "qrbatch: cannot read the input: %s\n", ErrnoText(errno).c_str());
      return 2;
    }
  }
  std::string reason;
  if (!EnsureFolder(options.outputFolder, reason)) {
    std::fprintf(err, "qrbatch: cannot create the folder %s: %s\n", options.outputFolder.c_str(),
                 reason.c_str());
    if (!fromStdin) CloseInput(input);
    return 2;
  }
  // What a killed run left in the folder (sub-folders are not searched).
  qrplatform::RemoveStaleTemporaries(options.outputFolder);
  // Opened once: the files go into this folder even if its name changes
  // hands during the batch.
  qrplatform::OutputFolder folder;
  if (!folder.Open(options.outputFolder, reason)) {
    std::fprintf(err, "qrbatch: cannot open the folder %s: %s\n", options.outputFolder.c_str(),
                 reason.c_str());
    if (!fromStdin) CloseInput(input);
    return 2;
  }
  int status;
  if (options.format == ImageFormat::kPdf) {
#ifdef QR_HAVE_SHEETS
    status = RunSheetBatch(options, input, lineCount, err);
#else
    std::fputs("qrbatch: this build writes no PDF\n", err);
    status = 2;
#endif
  } else {
    status = RunLines(options, folder, input, lineCount, err);
  }
  if (!fromStdin) CloseInput(input);
  return status;
}

}  // namespace qrbatch
