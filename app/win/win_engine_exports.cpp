#include "win_engine_exports.h"

#include "main_window_logic.h"
#include "program_folder.h"
#include "system_error_text.h"
#include "temporary_file.h"
#include "text_codec.h"
#include "wide_path.h"

namespace qrwin {

namespace {

// "\.qr-4294967295-4294967295.tmp": the longest temporary name, with its backslash.
constexpr size_t kLongestTemporaryName = 30;

// A temporary name in the folder that names no existing file, in ANSI and
// wide form. The engine creates the file itself, by its ANSI name.
bool FreeTemporaryName(const std::string &ansiFolder, const std::wstring &wideFolder,
                       std::string &ansi, std::wstring &wide) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = qrplatform::NextTemporaryName();
    ansi = ansiFolder + "\\" + name;
    wide = qrplatform::SystemPath(wideFolder + L"\\" + std::wstring(name.begin(), name.end()));
    if (GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
  }
  SetLastError(ERROR_FILE_EXISTS);
  return false;
}

}  // namespace

WinEngineExports::WinEngineExports(const std::string &ansiProgramFolder)
    : library_(ansiProgramFolder, qrapp::kEngineLibraryName,
               qrplatform::LateBoundLibrary::Origin::kProgram) {}

void WinEngineExports::QRSetMessage(const std::string &bytes) {
  library_.Bind(setMessage_, "QRSetMessage")(bytes.c_str());
}

void WinEngineExports::QRSetBackColor(int red, int green, int blue) {
  library_.Bind(setBackColor_, "QRSetBackColor")(red, green, blue);
}

void WinEngineExports::QRSetBarColor(int red, int green, int blue) {
  library_.Bind(setBarColor_, "QRSetBarColor")(red, green, blue);
}

void WinEngineExports::QRConfigure(int version, int level, int mask) {
  library_.Bind(configure_, "QRConfigure")(version, level, mask);
}

void WinEngineExports::QRAppearance(double moduleSize, int orientation, int frameStyle) {
  library_.Bind(appearance_, "QRAppearance")(moduleSize, orientation, frameStyle);
}

void WinEngineExports::QRSetSize(int width, int height) {
  library_.Bind(setSize_, "QRSetSize")(width, height);
}

void WinEngineExports::QRGetActualSize(int &width, int &height) {
  constexpr short kScreen = -1;
  library_.Bind(actualSize_, "QRGetActualSize")(kScreen, nullptr, &width, &height);
}

// The engine writes the temporary file whole or not at all; the move then
// gives it its name in one step, replacing an older file of that name as
// the engine itself would. A failure leaves no temporary file behind.
bool WinEngineExports::QRSaveAsBMP(const std::string &fileName) {
  SaveFunction save = library_.Bind(saveAsBmp_, "QRSaveAsBMP");
  const std::wstring target =
      qrplatform::PlainPath(qrplatform::FullPath(qrtext::WideFromUtf8(fileName)));
  const size_t slash = target.find_last_of(L'\\');
  std::wstring folder = slash == std::wstring::npos ? std::wstring() : target.substr(0, slash);
  // A drive's root keeps its backslash for the short name.
  const std::string ansiFolder =
      folder.empty()
          ? std::string()
          : AnsiFolderName(folder.size() == 2 ? folder + L"\\" : folder, kLongestTemporaryName);
  std::string ansiTemporary;
  std::wstring temporary;
  SetLastError(ERROR_SUCCESS);
  if (ansiFolder.empty()) {
    lastSaveError_ = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_PATH_NOT_FOUND;
    return false;
  }
  std::string ansiBase = ansiFolder;
  if (!ansiBase.empty() && ansiBase.back() == '\\') ansiBase.pop_back();
  if (!FreeTemporaryName(ansiBase, folder, ansiTemporary, temporary)) {
    lastSaveError_ = GetLastError();
    return false;
  }
  SetLastError(ERROR_SUCCESS);
  if (save(ansiTemporary.c_str()) != -1) {
    // Taken at once: any later system call may overwrite it.
    lastSaveError_ = GetLastError();
    DeleteFileW(temporary.c_str());
    return false;
  }
  if (!MoveFileExW(temporary.c_str(), qrplatform::SystemPath(target).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    lastSaveError_ = GetLastError();
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

std::string WinEngineExports::LastSaveError() {
  if (lastSaveError_ == ERROR_SUCCESS) return std::string();
  return qrplatform::SystemErrorText(lastSaveError_, CP_UTF8);
}

}  // namespace qrwin
