#include "streamed_file.h"

#include <windows.h>

#include "system_error.h"
#include "text_codec.h"
#include "wide_path.h"

namespace qrplatform {

namespace {

HANDLE HandleOf(void *handle) {
  return handle ? static_cast<HANDLE>(handle) : INVALID_HANDLE_VALUE;
}

// The path for the wide file functions (extended-length when long).
std::wstring WidePath(const std::string &utf8) {
  const std::wstring wide = qrwin::WideFromUtf8(utf8);
  const std::wstring full = qrwin::SystemPath(wide);
  return full.empty() ? wide : full;
}

// The folder part of `path` with its separator ("" for a bare name).
std::string FolderOf(const std::string &path) {
  const size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

}  // namespace

StreamedFile::~StreamedFile() {
  if (handle_) CloseHandle(HandleOf(handle_));
  if (!temporary_.empty()) DeleteFileW(WidePath(temporary_).c_str());
}

bool StreamedFile::Fail() {
  if (errorText_.empty()) errorText_ = LastErrorText();
  return false;
}

bool StreamedFile::Create(const std::string &path) {
  path_ = path;
  const std::string folder = FolderOf(path);
  const std::string pid = std::to_string(static_cast<unsigned long>(GetCurrentProcessId()));
  for (unsigned n = 0; n < 100; ++n) {
    const std::string name = folder + ".qr-" + pid + "-" + std::to_string(n) + ".tmp";
    const HANDLE handle = CreateFileW(WidePath(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      handle_ = handle;
      temporary_ = name;
      return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return Fail();
  }
  return Fail();
}

bool StreamedFile::Write(const void *data, size_t size) {
  const char *bytes = static_cast<const char *>(data);
  while (size > 0) {
    const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(HandleOf(handle_), bytes, chunk, &written, nullptr)) return Fail();
    if (written == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      return Fail();
    }
    bytes += written;
    size -= written;
  }
  return true;
}

bool StreamedFile::Publish() {
  if (!handle_) return Fail();
  const bool flushed = FlushFileBuffers(HandleOf(handle_)) != 0;
  if (!flushed) Fail();
  CloseHandle(HandleOf(handle_));
  handle_ = nullptr;
  if (!flushed) return false;
  // Write-through: the new name is on the disk when the move returns.
  if (!MoveFileExW(WidePath(temporary_).c_str(), WidePath(path_).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return Fail();
  temporary_.clear();
  return true;
}

}  // namespace qrplatform
