// SettingsStore on a profile file of the Windows layout: "[section]" lines,
// "key=value" lines, CR LF line ends, bytes (GBK) unchanged. Section and key
// names compare without regard to ASCII case. Used where the Windows profile
// functions are not available.
#pragma once

#include <string>

#include "file_system.h"
#include "settings_store.h"

namespace qrapp {

class ProfileFile : public SettingsStore {
 public:
  ProfileFile(qrplatform::FileSystem &files, std::string path);
  std::string Read(const std::string &section, const std::string &key) override;
  void Write(const std::string &section, const std::string &key, const std::string &value) override;

 private:
  qrplatform::FileSystem &files_;
  std::string path_;
};

}  // namespace qrapp
