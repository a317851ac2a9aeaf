#include "batch_command.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "batch_symbol.h"
#include "decided_input.h"
#include "descriptor_io.h"
#include "folders.h"
#include "input_lines.h"
#include "line_decider.h"
#include "line_workers.h"
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
using qrplatform::OnlineCores;
using qrplatform::PathSeparator;
using qrplatform::SpoolToTemporaryFile;
using qrplatform::StopRequested;

// Lines are decoded text, shown as UTF-8 (terminal.h: a Windows console
// gets them as wide characters).
constexpr batch::ReportEncoding kConsoleEncoding = batch::ReportEncoding::kUtf8;

int OpenInput(const std::string &path) { return qrplatform::OpenForReading(path); }

void CloseInput(int descriptor) { qrplatform::CloseDescriptor(descriptor); }

std::string QuietZoneWarning(const batch::LineJob &job) {
  return "quiet zone of " + std::to_string(job.quietZoneModules) + " modules (" +
         std::to_string(job.modulePixels) + " px each), below " +
         std::to_string(batch::BatchRecipe::kStandardQuietZone);
}

// Reads, decides and hands on every line; returns the exit status.
int RunLines(const Options &options, const qrplatform::OutputFolder &folder, int input,
             long long lineCount, std::FILE *rows, std::FILE *err) {
  const int modulePixels = batch::RecipeModulePixels(options.recipe);
  const int workerCount = options.jobs > 0 ? options.jobs : OnlineCores();
  OrderedReport report(err, IsTerminal(err) ? err : nullptr, lineCount, kConsoleEncoding);
  LineWorkers workers(workerCount, options, folder, modulePixels, report);
  if (!workers.Start()) {
    qrplatform::PrintText(err, "qrbatch: cannot start %d workers\n", workerCount);
    workers.Finish(true);
    return 2;
  }
  batch::LineDecider decider(options, options.outputFolder, PathSeparator(), lineCount);
  if (rows) report.WriteRowsTo(rows);
  const ReadOutcome read =
      DecideInput(options, input, decider, report, err, [&](int lineNumber, batch::LineJob &job) {
        if (job.narrowQuietZone) report.Warn(lineNumber, QuietZoneWarning(job), job.line);
        workers.Submit(std::move(job));
      });
  workers.Finish(read.end == ReadOutcome::End::kStopped ||
                 read.end == ReadOutcome::End::kBadHeader);
  report.Close();
  if (const int status = EndStatus(read, report, lineCount, err)) return status;
  if (report.warnings() > 0) {
    qrplatform::PrintText(err, "qrbatch: quiet zone below %d modules in %d written images\n",
                          batch::BatchRecipe::kStandardQuietZone, report.warnings());
  }
  if (report.failures() > 0) {
    qrplatform::PrintText(err, "qrbatch: %d of %d lines produced no file\n", report.failures(),
                          read.entries);
    return 1;
  }
  return 0;
}

// Numbered names are as wide as the line count: a file is counted first;
// other input (a pipe, a terminal) is kept in a temporary file until its
// end, so such a batch starts writing only then. Replaces `input` with the
// spool; 0, or the exit status when it cannot count.
int CountLinesOf(const Options &options, int &input, long long &lineCount, std::FILE *err) {
  if (!IsRegularFile(input)) {
    const int spooled = SpoolToTemporaryFile(input);
    if (spooled < 0 && StopRequested()) {
      std::fputs("qrbatch: interrupted after 0 of 0 lines\n", err);
      return 130;
    }
    if (spooled < 0) {
      qrplatform::PrintText(err, "qrbatch: cannot keep the input in a temporary file: %s\n",
                            ErrnoText(errno).c_str());
      return 2;
    }
    input = spooled;  // the spool stays open to the end of the process
  }
  if (!CountLines(input, lineCount, options.inputEncoding)) {
    qrplatform::PrintText(err, "qrbatch: cannot read the input: %s\n", ErrnoText(errno).c_str());
    return 2;
  }
  return 0;
}

// The report file, written as the lines are reported; opened before the
// folder is, so a relative name is taken from where qrbatch was started.
// False when it cannot be created (said on `err`).
bool OpenReport(const Options &options, std::FILE *&rows, std::FILE *err) {
  rows = nullptr;
  if (options.reportFile.empty()) return true;
  rows = qrplatform::CreateForWriting(options.reportFile);
  if (rows) return true;
  qrplatform::PrintText(err, "qrbatch: cannot write the report %s: %s\n",
                        options.reportFile.c_str(), ErrnoText(errno).c_str());
  return false;
}

// Closes the report file: a failed write makes a finished batch's status 2.
int CloseReport(const Options &options, std::FILE *rows, int status, std::FILE *err) {
  if (rows && (std::ferror(rows) | std::fclose(rows)) != 0) {
    qrplatform::PrintText(err, "qrbatch: cannot write the report %s: %s\n",
                          options.reportFile.c_str(), ErrnoText(errno).c_str());
    if (status == 0 || status == 1) status = 2;
  }
  return status;
}

// The images or the label sheets of the batch.
int RunOutput(const Options &options, const qrplatform::OutputFolder &folder, int input,
              long long lineCount, std::FILE *rows, std::FILE *err) {
  if (!options.labelSheets()) return RunLines(options, folder, input, lineCount, rows, err);
#ifdef QR_HAVE_SHEETS
  return RunSheetBatch(options, folder, input, lineCount, rows, err);
#else
  (void)folder, (void)input, (void)lineCount, (void)rows;
  std::fputs("qrbatch: this build writes no PDF\n", err);
  return 2;
#endif
}

// The batch over an open input: the folder, the report file, the lines.
int RunOnInput(const Options &options, int input, std::FILE *err) {
  long long lineCount = 0;
  if (options.names == FileNames::kNumber) {
    if (const int status = CountLinesOf(options, input, lineCount, err)) return status;
  }
  const qrplatform::Outcome made = EnsureFolder(options.outputFolder);
  if (!made) {
    qrplatform::PrintText(err, "qrbatch: cannot create the folder %s: %s\n",
                          options.outputFolder.c_str(), made.reason().c_str());
    return 2;
  }
  // What a killed run left in the folder (sub-folders are not searched).
  qrplatform::RemoveStaleTemporaries(options.outputFolder);
  std::FILE *rows = nullptr;
  if (!OpenReport(options, rows, err)) return 2;
  // Opened once: the files go into this folder even if its name changes
  // hands during the batch.
  qrplatform::OutputFolder folder;
  const qrplatform::Outcome opened = folder.Open(options.outputFolder);
  if (!opened) {
    qrplatform::PrintText(err, "qrbatch: cannot open the folder %s: %s\n",
                          options.outputFolder.c_str(), opened.reason().c_str());
    if (rows) std::fclose(rows);
    return 2;
  }
  return CloseReport(options, rows, RunOutput(options, folder, input, lineCount, rows, err), err);
}

}  // namespace

int RunCommand(const std::vector<std::string> &args, std::FILE *in, std::FILE *out,
               std::FILE *err) {
  const ParsedOptions parsed = ParseOptions(args);
  if (!parsed.ok()) {
    qrplatform::PrintText(err, "qrbatch: %s\n%s", parsed.error.c_str(), kUsage);
    return 2;
  }
  const Options &options = parsed.options;
  if (options.help) {
    std::fputs(kUsage, out);
    return 0;
  }
  if (options.version) {
    std::fputs("qrbatch " QR_VERSION_TEXT "\n", out);
    return 0;
  }
  const bool fromStdin = options.inputFile.empty() || options.inputFile == "-";
  const int input = fromStdin ? fileno(in) : OpenInput(options.inputFile);
  if (input < 0) {
    qrplatform::PrintText(err, "qrbatch: cannot open %s: %s\n", options.inputFile.c_str(),
                          ErrnoText(errno).c_str());
    return 2;
  }
  const int status = RunOnInput(options, input, err);
  if (!fromStdin) CloseInput(input);
  return status;
}

}  // namespace qrbatch
