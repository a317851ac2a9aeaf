#pragma once
// The notice step of start-up, the clock tick and the link press, done
// through the program's NoticeSurface over its main window.
#include "notice_info.h"
#include "notice_surface.h"

namespace notice::win {

class NoticePanel {
 public:
  explicit NoticePanel(NoticeSurface &surface) : surface_(surface) {}

  // Start-up: the bounded download, then title, logo, update prompts and
  // the information panel.
  void ReadNotice();
  // The clock's tick: the clock label and the link's blinking.
  void OnTimerTick();
  // The link label pressed: open the link when it is a web address.
  void OnLinkPressed();

 private:
  NoticeSurface &surface_;
  NoticeInfo info_;
};

}  // namespace notice::win
