#include "read_notice.h"

#include "notice_parser.h"
#include "notice_texts.h"
#include "update_check.h"
#include "web_address.h"

namespace notice {

void OpenIfWebAddress(NoticeSurface &surface, const std::string &address) {
  if (IsWebAddress(address)) surface.OpenAddress(address);
}

NoticeOutcome ReadNotice(const NoticeDownload &download, NoticeSurface &surface, NoticeInfo &info) {
  if (!download.online) return NoticeOutcome::Offline;

  if (!download.logo.empty()) surface.ShowLogo(download.logo);

  const int fieldsRead =
      ReadNoticeFields(SplitNoticeFields(NoticeTextOfBody(download.notice)), info);
  if (fieldsRead >= 1) surface.SetWindowTitle(info.title);
  if (fieldsRead < kNoticeFieldCount) return NoticeOutcome::Incomplete;

  if (IsNewerThanCurrent(info.latestVersion)) {
    surface.ShowMessage(text::kInfoCaption, UpdateMessageText(info));
    if (surface.ConfirmOkCancel(text::kAskCaption, text::kAskText)) {
      OpenIfWebAddress(surface, info.link);
      surface.CloseMainWindow();
      return NoticeOutcome::ProgramClosing;
    }
    if (info.mandatory) {
      surface.CloseMainWindow();
      return NoticeOutcome::ProgramClosing;
    }
  }
  ShowInfoPanel(surface, currentVersion, info);
  return NoticeOutcome::Shown;
}

}  // namespace notice
