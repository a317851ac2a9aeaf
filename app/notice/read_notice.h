#pragma once
// The notice step of start-up: from the downloaded bodies to the window
// title, the logo, the update prompts and the information panel.
#include <string>

#include "info_panel.h"
#include "notice_info.h"

namespace notice {

// What the network side brought back. `online` false means the computer is
// offline or the whole download ran past its time bound; an empty body is a
// failed (or oversized) request.
struct NoticeDownload {
    bool online = false;
    std::string notice;
    std::string logo;
};

// What the notice step does to the window and the desktop. Texts are GBK.
class NoticeSurface : public LabelWriter {
public:
    virtual void SetWindowTitle(const std::string& title) = 0;
    // PNG bytes for 图片框2; bytes that are not a PNG leave it empty.
    virtual void ShowLogo(const std::string& pngBytes) = 0;
    // Modal, OK button only, no owner window, no icon.
    virtual void ShowMessage(const std::string& caption, const std::string& text) = 0;
    // Modal, OK and Cancel; true for OK, false for Cancel or a closed box.
    virtual bool ConfirmOkCancel(const std::string& caption, const std::string& text) = 0;
    virtual void OpenAddress(const std::string& address) = 0;
    virtual void CloseMainWindow() = 0;
};

enum class NoticeOutcome {
    Offline,          // nothing shown, layout texts kept
    Incomplete,       // fewer than six usable fields: stopped after what was read
    ProgramClosing,   // update accepted, or a mandatory update declined
    Shown,            // information panel filled
};

// Hands `address` to the surface only when it is an http(s) address.
void OpenIfWebAddress(NoticeSurface& surface, const std::string& address);

NoticeOutcome ReadNotice(const NoticeDownload& download, NoticeSurface& surface, NoticeInfo& info);

}  // namespace notice
