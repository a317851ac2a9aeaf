#pragma once
// The values read once per run from the publisher's online notice.
#include <string>

#include "qr_version.h"

namespace notice {

// The version of this build, shown as "V2.0" and compared with the notice.
constexpr int currentVersion = QR_VERSION_MAJOR;

// Texts are GBK bytes, exactly as the notice carried them.
struct NoticeInfo {
  std::string title;
  std::string latestVersion;
  std::string link;
  std::string author;
  std::string changeLog;
  bool mandatory = false;
};

}  // namespace notice
