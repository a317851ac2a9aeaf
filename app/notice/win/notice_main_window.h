#pragma once
// The notice panel's access to the program's main window. Header only: it is
// compiled with the Windows program, which owns the window class.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "main_window.h"
#include "notice_panel.h"
#include "text_codec.h"

namespace notice::win {

inline NoticeWindowAccess NoticeAccessTo(qrwin::MainWindow& window) {
    NoticeWindowAccess access;
    access.setTitle = [&window](const std::string& title) { window.SetTitle(qrwin::WideFromGbk(title)); };
    access.setLogo = [&window](const std::string& pngBytes, LogoDib logo) {
        qrwin::DibPicture picture;
        picture.info = std::move(logo.info);
        picture.bits = std::move(logo.bits);
        picture.width = logo.width;
        picture.height = logo.height;
        window.SetPicture("图片框2", std::vector<std::uint8_t>(pngBytes.begin(), pngBytes.end()), std::move(picture));
    };
    access.linkColour = [&window] { return window.TextColour("透明标签14"); };
    access.setLinkColour = [&window](std::uint32_t colour) { window.SetTextColour("透明标签14", colour); };
    access.closeMainWindow = [&window] { DestroyWindow(window.Handle()); };
    return access;
}

}  // namespace notice::win
