#include "notice_panel.h"

#include "clock_format.h"
#include "clock_text.h"
#include "control_names.h"
#include "notice_download.h"
#include "read_notice.h"

namespace notice::win {

void NoticePanel::ReadNotice() {
  const NoticeDownload download =
      DownloadNoticeWithin(NoticeAddressesForThisRun(), kNoticeTimeBoundMs);
  notice::ReadNotice(download, surface_, info_);
}

void NoticePanel::OnTimerTick() {
  surface_.SetLabelText(resources::control::kClockText, ClockLabelTextNow());
  surface_.SetLinkColour(NextLinkColour(surface_.LinkColour()));
}

void NoticePanel::OnLinkPressed() { OpenIfWebAddress(surface_, info_.link); }

}  // namespace notice::win
