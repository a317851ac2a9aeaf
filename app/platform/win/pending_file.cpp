#include "pending_file.h"

#include <windows.h>

#include <cstdint>

#include "text_codec.h"
#include "win_file_steps.h"

namespace qrplatform {

namespace {

// One WriteFile for the whole file: every call is a trip through the
// system, which costs more than joining a few kilobytes here.
bool WriteAllParts(HANDLE file, std::initializer_list<FilePart> parts) {
  if (parts.size() == 1) return WriteAll(file, parts.begin()->data, parts.begin()->size);
  std::vector<uint8_t> joined;
  size_t total = 0;
  for (const FilePart &part : parts) total += part.size;
  joined.reserve(total);
  for (const FilePart &part : parts) {
    const uint8_t *bytes = static_cast<const uint8_t *>(part.data);
    joined.insert(joined.end(), bytes, bytes + part.size);
  }
  return WriteAll(file, joined.data(), joined.size());
}

// Creates the temporary beside `target` and writes the parts through to
// the disk; nothing is left behind on failure.
bool WriteTemporary(const std::wstring &target, std::initializer_list<FilePart> parts,
                    std::wstring &temporary) {
  if (target.empty()) {
    SetLastError(ERROR_INVALID_NAME);
    return false;
  }
  const TemporaryFile created = CreateTemporaryBeside(target);
  if (created.path.empty()) return false;
  bool ok = WriteAllParts(created.file, parts) && FlushFileBuffers(created.file);
  DWORD reason = GetLastError();
  if (!CloseHandle(created.file) && ok) ok = false, reason = GetLastError();
  if (!ok) {
    DeleteFileW(created.path.c_str());
    SetLastError(reason);
    return false;
  }
  temporary = created.path;
  return true;
}

}  // namespace

bool WriteWholeFile(const std::wstring &target, std::initializer_list<FilePart> parts) {
  std::wstring temporary;
  return WriteTemporary(target, parts, temporary) && MoveIntoPlace(temporary, target);
}

bool WriteWholeFile(const char *path, std::initializer_list<FilePart> parts) {
  return WriteWholeFile(qrtext::WideFromUtf8(path), parts);
}

void PendingFile::Discard() {
  if (!temporary_.empty()) DeleteFileW(temporary_.c_str());
  temporary_.clear();
}

bool PendingFile::Write(const char *path, std::initializer_list<FilePart> parts) {
  Discard();
  target_ = qrtext::WideFromUtf8(path);
  return WriteTemporary(target_, parts, temporary_);
}

// Each file is on the disk already: only the names are given, in order.
void PublishFiles(std::vector<PendingFile> &files,
                  const std::function<void(size_t index, bool published)> &told) {
  std::vector<DWORD> errors(files.size(), 0);
  std::vector<bool> published(files.size(), false);
  for (size_t i = 0; i < files.size(); ++i) {
    if (files[i].temporary_.empty()) continue;  // nothing was written
    published[i] = MoveIntoPlace(files[i].temporary_, files[i].target_);
    if (!published[i]) errors[i] = GetLastError();
    files[i].temporary_.clear();
  }
  files.clear();
  for (size_t i = 0; i < errors.size(); ++i) {
    SetLastError(errors[i]);
    told(i, published[i]);
  }
}

}  // namespace qrplatform
