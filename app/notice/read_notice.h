#pragma once
// The notice step of start-up: from the downloaded bodies to the window
// title, the logo, the update prompts and the information panel.
#include <string>

#include "notice_info.h"
#include "notice_surface.h"

namespace notice {

// What the network side brought back. `online` false means the computer is
// offline or the whole download ran past its time bound; an empty body is a
// failed (or oversized) request.
struct NoticeDownload {
  bool online = false;
  std::string notice;
  std::string logo;
};

enum class NoticeOutcome {
  Offline,         // nothing shown, layout texts kept
  Incomplete,      // fewer than six usable fields: stopped after what was read
  ProgramClosing,  // update accepted, or a mandatory update declined
  Shown,           // information panel filled
};

// Hands `address` to the surface only when it is an http(s) address.
void OpenIfWebAddress(NoticeSurface &surface, const std::string &address);

NoticeOutcome ReadNotice(const NoticeDownload &download, NoticeSurface &surface, NoticeInfo &info);

}  // namespace notice
