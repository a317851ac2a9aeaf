#include "win_settings_store.h"

#include <windows.h>

#include <vector>

namespace qrwin {

namespace {
constexpr DWORD kReadBufferSize = 10240;
}

std::string WinSettingsStore::Read(const std::string &section, const std::string &key) {
  std::vector<char> buffer(kReadBufferSize, '\0');
  const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                                kReadBufferSize, profileFile_.c_str());
  return std::string(buffer.data(), length);
}

void WinSettingsStore::Write(const std::string &section, const std::string &key,
                             const std::string &value) {
  WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), profileFile_.c_str());
}

}  // namespace qrwin
