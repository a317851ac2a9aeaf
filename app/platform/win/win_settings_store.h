// SettingsStore over the Windows profile functions (ANSI, bytes unchanged).
#pragma once

#include <string>
#include <utility>

#include "settings_store.h"

namespace qrwin {

class WinSettingsStore : public qrapp::SettingsStore {
 public:
  explicit WinSettingsStore(std::string profileFile) : profileFile_(std::move(profileFile)) {}

  std::string Read(const std::string &section, const std::string &key) override;
  void Write(const std::string &section, const std::string &key, const std::string &value) override;

 private:
  std::string profileFile_;
};

}  // namespace qrwin
