#include "streamed_file.h"

#include <windows.h>

#include <utility>

#include "system_error.h"
#include "text_codec.h"
#include "wide_path.h"
#include "win_file_steps.h"

namespace qrplatform {

namespace {

HANDLE HandleOf(void *handle) {
  return handle ? static_cast<HANDLE>(handle) : INVALID_HANDLE_VALUE;
}

// The path for the wide file functions (extended-length when long).
std::wstring WidePath(const std::string &utf8) {
  const std::wstring wide = qrtext::WideFromUtf8(utf8);
  const std::wstring full = qrplatform::SystemPath(wide);
  return full.empty() ? wide : full;
}

}  // namespace

StreamedFile::~StreamedFile() {
  if (handle_) CloseHandle(HandleOf(handle_));
  if (!temporary_.empty()) DeleteFileW(temporary_.c_str());
}

bool StreamedFile::Fail() {
  if (errorText_.empty()) errorText_ = LastErrorText();
  return false;
}

bool StreamedFile::Create(const std::string &path) {
  path_ = path;
  TemporaryFile created = CreateTemporaryBeside(WidePath(path));
  if (created.path.empty()) return Fail();
  handle_ = created.file;
  temporary_ = std::move(created.path);
  return true;
}

bool StreamedFile::Write(const void *data, size_t size) {
  return WriteAll(HandleOf(handle_), data, size) || Fail();
}

bool StreamedFile::Publish() {
  if (!handle_) return Fail();
  const bool flushed = FlushFileBuffers(HandleOf(handle_)) != 0;
  if (!flushed) Fail();
  CloseHandle(HandleOf(handle_));
  handle_ = nullptr;
  if (!flushed) return false;
  // Write-through: the new name is on the disk when the move returns.
  const bool moved = MoveIntoPlace(temporary_, WidePath(path_));
  temporary_.clear();  // renamed, or removed
  return moved || Fail();
}

}  // namespace qrplatform
