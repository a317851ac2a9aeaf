#pragma once
// The texts of the information panel's labels once the notice has been read.
#include <string>

#include "notice_info.h"

namespace notice {

// Where label captions go: a control by its layout name, text in GBK.
class LabelWriter {
 public:
  virtual ~LabelWriter() = default;
  virtual void SetLabelText(const char *controlName, const std::string &text) = 0;
};

struct InfoPanelTexts {
  std::string link;
  std::string currentVersion;
  std::string latestVersion;
  std::string author;
};

InfoPanelTexts MakeInfoPanelTexts(int current, const NoticeInfo &info);

// Writes the four captions, link first, then the versions and the author.
void ShowInfoPanel(LabelWriter &labels, int current, const NoticeInfo &info);

}  // namespace notice
