#include "file_output.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdio>
#endif

namespace qr {

#ifdef _WIN32

void RemoveFile(const char *fileName) { DeleteFileA(fileName); }

bool WriteNewFile(const char *fileName, std::initializer_list<ByteSpan> parts) {
  HANDLE file = CreateFileA(fileName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  for (const ByteSpan &part : parts) {
    // WriteFile takes at most 4 GB at once; our files are smaller than that.
    DWORD written = 0;
    if (!WriteFile(file, part.data, static_cast<DWORD>(part.size), &written, nullptr) || written != part.size) {
      ok = false;
      break;
    }
  }
  if (!CloseHandle(file)) ok = false;
  if (!ok) DeleteFileA(fileName);
  return ok;
}

#else

void RemoveFile(const char *fileName) { std::remove(fileName); }

bool WriteNewFile(const char *fileName, std::initializer_list<ByteSpan> parts) {
  std::FILE *file = std::fopen(fileName, "wb");
  if (file == nullptr) return false;
  bool ok = true;
  for (const ByteSpan &part : parts)
    if (std::fwrite(part.data, 1, part.size, file) != part.size) {
      ok = false;
      break;
    }
  if (std::fclose(file) != 0) ok = false;
  if (!ok) std::remove(fileName);
  return ok;
}

#endif

}  // namespace qr
