#include "sheet_batch.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <memory>

#include "batch_symbol.h"
#include "input_lines.h"
#include "label_sheet_pdf.h"
#include "line_parts.h"
#include "native_text.h"
#include "ordered_report.h"
#include "stop_request.h"
#include "symbol_engine.h"
#include "system_error.h"
#include "terminal.h"

namespace qrbatch {

namespace {

using qrplatform::ErrnoText;

constexpr qrapp::ReportEncoding kConsoleEncoding =
    qrplatform::kNativeTextIsGbk ? qrapp::ReportEncoding::kGbk : qrapp::ReportEncoding::kUtf8;

// The PDF as it streams out, under a temporary name in the destination
// folder that the stale-file sweep knows; removed unless published.
class SheetFile {
 public:
  // `folder`: the destination, as given (POSIX: the working folder already).
  explicit SheetFile(std::string folder) : folder_(std::move(folder)) {}
  ~SheetFile();
  bool Create();
  bool Write(const unsigned char *data, size_t size);
  // On the disk, then under its name (then, on POSIX, the folder's entry
  // on the disk). False with errno (GetLastError) telling why.
  bool Publish(const char *name);
  int error() const { return error_; }

 private:
  std::string folder_;
  std::string temporary_;
  int error_ = 0;
#ifdef _WIN32
  std::string PathOf(const std::string &name) const { return folder_ + "\\" + name; }
  HANDLE handle_ = INVALID_HANDLE_VALUE;
#else
  int fd_ = -1;
#endif
};

std::string TemporaryName(unsigned n) {
#ifdef _WIN32
  const unsigned long pid = GetCurrentProcessId();
#else
  const unsigned long pid = static_cast<unsigned long>(getpid());
#endif
  return ".qr-" + std::to_string(pid) + "-" + std::to_string(n) + ".tmp";
}

#ifdef _WIN32

SheetFile::~SheetFile() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  if (!temporary_.empty()) DeleteFileA(PathOf(temporary_).c_str());
}

bool SheetFile::Create() {
  for (unsigned n = 0; n < 100; ++n) {
    const std::string name = TemporaryName(n);
    handle_ = CreateFileA(PathOf(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ != INVALID_HANDLE_VALUE) {
      temporary_ = name;
      return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

bool SheetFile::Write(const unsigned char *data, size_t size) {
  DWORD written = 0;
  if (!WriteFile(handle_, data, static_cast<DWORD>(size), &written, nullptr) || written != size) {
    error_ = static_cast<int>(GetLastError());
    return false;
  }
  return true;
}

bool SheetFile::Publish(const char *name) {
  const bool flushed = FlushFileBuffers(handle_) != 0;
  CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
  if (!flushed || !MoveFileExA(PathOf(temporary_).c_str(), PathOf(name).c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return false;
  temporary_.clear();
  return true;
}

#else

SheetFile::~SheetFile() {
  if (fd_ >= 0) close(fd_);
  if (!temporary_.empty()) unlink(temporary_.c_str());
}

bool SheetFile::Create() {
  for (unsigned n = 0; n < 100; ++n) {
    const std::string name = TemporaryName(n);
    fd_ = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
      temporary_ = name;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

bool SheetFile::Write(const unsigned char *data, size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd_, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      error_ = written < 0 ? errno : EIO;
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

bool SheetFile::Publish(const char *name) {
  const bool flushed = fsync(fd_) == 0;
  const bool closed = close(fd_) == 0;
  fd_ = -1;
  if (!flushed || !closed || rename(temporary_.c_str(), name) != 0) return false;
  temporary_.clear();
  const int folder = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
  return true;
}

#endif

// A caption in UTF-8, for the text stack, from the line's bytes in the
// system's own encoding (the ANSI code page on Windows, UTF-8 elsewhere).
std::string CaptionUtf8(const std::string &native) {
#ifdef _WIN32
  const int length = static_cast<int>(native.size());
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, native.data(), length, nullptr, 0);
  if (wideLength <= 0) return std::string();
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, native.data(), length, &wide[0], wideLength);
  const int utf8Length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(utf8Length > 0 ? utf8Length : 0), '\0');
  if (utf8Length > 0)
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &utf8[0], utf8Length, nullptr,
                        nullptr);
  return utf8;
#else
  return native;
#endif
}

}  // namespace

int RunSheetBatch(const Options &options, int input, long long lineCount, std::FILE *err) {
  qrsheets::SheetLayout layout;
  std::string error;
  if (!qrsheets::MakeSheetLayout(options.sheet, layout, error)) {
    std::fprintf(err, "qrbatch: %s\n", error.c_str());
    return 2;
  }
  SheetFile file(options.outputFolder);
  if (!file.Create()) {
    std::fprintf(err, "qrbatch: cannot create the PDF in %s: %s\n", options.outputFolder.c_str(),
                 qrplatform::LastErrorText().c_str());
    return 2;
  }
  qrsheets::LabelStyle style;
  qrsheets::LabelSheetPdf sheet(layout, style);
  if (!sheet.Open([&](const unsigned char *data, size_t size) { return file.Write(data, size); },
                  error)) {
    std::fprintf(err, "qrbatch: cannot start the PDF: %s\n", error.c_str());
    return 2;
  }

  OrderedReport report(err, qrplatform::IsTerminal(err) ? err : nullptr, lineCount,
                       kConsoleEncoding);
  const qr::SymbolSettings settings = qrapp::SymbolSettingsOf(options.recipe);
  qr::SymbolEngine engine;
  qrplatform::LineReader reader(input, options.inputEncoding);
  std::vector<uint8_t> modules;
  std::string line;
  int lineNumber = 0;
  qrplatform::LineReader::Result result;
  while ((result = reader.Next(line)) == qrplatform::LineReader::Result::kLine) {
    report.Begin(++lineNumber);
    auto failure = std::make_unique<qrapp::LineFailure>();
    failure->lineNumber = lineNumber;
    const qrapp::LineParts parts = qrapp::SplitNameAndContent(line);
    const char *data = parts.content.data();
    const size_t size = parts.content.size();
    const qr::SymbolPlan plan =
        line.size() > qrplatform::kLongestLine
            ? qr::SymbolPlan()
            : qr::PlanSymbol(data, size, {qr::AllBytesSegment(data, size)}, settings);
    const qr::EncodeResult encoded =
        plan.result == qr::EncodeResult::kWritten ? engine.Encode(plan, data, size) : plan.result;
    if (encoded == qr::EncodeResult::kWritten) {
      const int side = engine.side();
      modules.resize(static_cast<size_t>(side) * side);
      for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
          modules[static_cast<size_t>(y) * side + x] = engine.Dark(x, y);
      if (sheet.Add(modules, side, CaptionUtf8(parts.name), failure->reason))
        failure.reset();
      else
        failure->fault = qrapp::LineFault::kNotWritten;
    } else if (encoded == qr::EncodeResult::kOutOfMemory) {
      failure->fault = qrapp::LineFault::kNotWritten;
      failure->reason = ErrnoText(ENOMEM);
    } else {
      failure->fault = qrapp::LineFault::kTooLong;
    }
    if (failure) failure->line = std::move(line);
    report.Settle(lineNumber, std::move(failure));
    if (qrplatform::StopRequested()) {
      result = qrplatform::LineReader::Result::kStopped;
      break;
    }
  }
  report.Close();
  if (result == qrplatform::LineReader::Result::kStopped || qrplatform::StopRequested()) {
    const long long known = lineCount > report.begun() ? lineCount : report.begun();
    std::fprintf(err, "qrbatch: interrupted after %d of %lld lines\n", report.settled(), known);
    return 130;
  }
  if (result == qrplatform::LineReader::Result::kFailed) {
    std::fprintf(err, "qrbatch: cannot read the input after line %d: %s\n", lineNumber,
                 ErrnoText(reader.error()).c_str());
    return 2;
  }
  if (!sheet.Finish(error) || !file.Publish(kSheetFileName)) {
    // A failed write's own reason before cairo's words for it.
    if (file.error() != 0) {
#ifdef _WIN32
      SetLastError(static_cast<DWORD>(file.error()));
#else
      errno = file.error();
#endif
      error.clear();
    }
    std::fprintf(err, "qrbatch: cannot write %s: %s\n", kSheetFileName,
                 error.empty() ? qrplatform::LastErrorText().c_str() : error.c_str());
    return 2;
  }
  if (report.failures() > 0) {
    std::fprintf(err, "qrbatch: %d of %d lines produced no label\n", report.failures(), lineNumber);
    return 1;
  }
  return 0;
}

}  // namespace qrbatch
