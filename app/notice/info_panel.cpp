#include "info_panel.h"

#include "control_names.h"
#include "notice_texts.h"

namespace notice {

InfoPanelTexts MakeInfoPanelTexts(int current, const NoticeInfo &info) {
  InfoPanelTexts texts;
  texts.link = info.link + text::kLinkHint;
  texts.currentVersion =
      text::kCurrentVersionCaption + std::to_string(current) + text::kVersionSuffix;
  // The latest version is shown as read, not as a number: "2.1" reads "V2.1.0".
  texts.latestVersion = text::kLatestVersionCaption + info.latestVersion + text::kVersionSuffix;
  texts.author = text::kAuthorCaption + info.author;
  return texts;
}

void ShowInfoPanel(LabelWriter &labels, int current, const NoticeInfo &info) {
  const InfoPanelTexts texts = MakeInfoPanelTexts(current, info);
  labels.SetLabelText(resources::control::kLink, texts.link);
  labels.SetLabelText(resources::control::kCurrentVersion, texts.currentVersion);
  labels.SetLabelText(resources::control::kLatestVersion, texts.latestVersion);
  labels.SetLabelText(resources::control::kAuthor, texts.author);
}

}  // namespace notice
