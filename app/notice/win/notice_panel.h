#pragma once
// The notice step of start-up, the clock tick and the link press, wired to
// the main window.
#include <cstdint>
#include <functional>
#include <string>

#include "logo_dib.h"
#include "main_window_view.h"
#include "notice_info.h"

namespace notice::win {

// What the notice needs of the main window beyond the logic's view.
// Texts are GBK.
struct NoticeWindowAccess {
    std::function<void(const std::string& title)> setTitle;
    // 图片框2: the logo's bytes and the picture decoded from them.
    std::function<void(const std::string& pngBytes, LogoDib picture)> setLogo;
    std::function<std::uint32_t()> linkColour;  // 透明标签14, 0x00BBGGRR
    std::function<void(std::uint32_t colour)> setLinkColour;
    std::function<void()> closeMainWindow;
};

class NoticePanel {
public:
    NoticePanel(qrapp::MainWindowView& view, NoticeWindowAccess window);

    // Start-up: the bounded download, then title, logo, update prompts and
    // the information panel.
    void ReadNotice();
    // 时钟1: the clock label and the link's blinking.
    void OnTimerTick();
    // 透明标签14 pressed: open the link when it is a web address.
    void OnLinkPressed();

private:
    qrapp::MainWindowView& view_;
    NoticeWindowAccess window_;
    NoticeInfo info_;
};

}  // namespace notice::win
