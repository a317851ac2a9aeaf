// The settings file as the window has always kept it: a profile file in
// GBK, whatever the system's code page, read and written by the program
// itself (the system's ANSI profile functions would use another code page
// under another locale). The logic's UTF-8 values are stored in GBK; a
// value GBK cannot express is stored as UTF-8 behind a byte-order mark,
// which no GBK text starts with, so no character is ever lost.
#pragma once

#include <string>
#include <utility>

#include "file_system.h"
#include "profile_file.h"
#include "settings_store.h"

namespace qrwin {

class GbkProfileSettings : public qrapp::SettingsStore {
 public:
  GbkProfileSettings(qrplatform::FileSystem &files, std::string path)
      : file_(files, std::move(path)) {}

  std::string Read(const std::string &section, const std::string &key) override;
  void Write(const std::string &section, const std::string &key, const std::string &value) override;

 private:
  qrapp::ProfileFile file_;
};

// The stored form of a UTF-8 value, and back.
std::string StoredValue(const std::string &utf8);
std::string ValueOfStored(const std::string &stored);

}  // namespace qrwin
