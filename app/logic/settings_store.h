// One profile file of sections and key=value lines (the
// file's own encoding is the store's business). Texts are UTF-8.
#pragma once

#include <string>

namespace qrapp {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored value, or the empty text when the file or key is missing.
  virtual std::string Read(const std::string &section, const std::string &key) = 0;
  // Failures are not reported: the value is simply not kept.
  virtual void Write(const std::string &section, const std::string &key,
                     const std::string &value) = 0;
};

}  // namespace qrapp
