#include "notice_panel.h"

#include "clock_format.h"
#include "clock_text.h"
#include "desktop.h"
#include "notice_download.h"
#include "read_notice.h"

namespace notice::win {
namespace {

class WindowNoticeSurface : public NoticeSurface {
public:
    WindowNoticeSurface(qrapp::MainWindowView& view, NoticeWindowAccess& window) : view_(view), window_(window) {}

    void SetLabelText(const char* controlName, const std::string& text) override { view_.SetText(controlName, text); }
    void SetWindowTitle(const std::string& title) override { window_.setTitle(title); }
    void ShowLogo(const std::string& pngBytes) override {
        if (auto picture = LogoDibOfPng(pngBytes)) window_.setLogo(pngBytes, std::move(*picture));
    }
    void ShowMessage(const std::string& caption, const std::string& text) override { ShowInformation(caption, text); }
    bool ConfirmOkCancel(const std::string& caption, const std::string& text) override {
        return AskOkCancel(caption, text);
    }
    void OpenAddress(const std::string& address) override { OpenWebAddress(address); }
    void CloseMainWindow() override { window_.closeMainWindow(); }

private:
    qrapp::MainWindowView& view_;
    NoticeWindowAccess& window_;
};

}  // namespace

NoticePanel::NoticePanel(qrapp::MainWindowView& view, NoticeWindowAccess window)
    : view_(view), window_(std::move(window)) {}

void NoticePanel::ReadNotice() {
    const NoticeDownload download = DownloadNoticeWithin(NoticeAddressesForThisRun(), kNoticeTimeBoundMs);
    WindowNoticeSurface surface(view_, window_);
    notice::ReadNotice(download, surface, info_);
}

void NoticePanel::OnTimerTick() {
    view_.SetText("透明标签20", ClockLabelTextNow());
    window_.setLinkColour(NextLinkColour(window_.linkColour()));
}

void NoticePanel::OnLinkPressed() { OpenWebAddress(info_.link); }

}  // namespace notice::win
