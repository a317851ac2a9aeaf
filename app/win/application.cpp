#include "application.h"

#include <objbase.h>

#include "control_names.h"
#include "embedded_engine.h"
#include "engine_batch_symbols.h"
#include "gbk_profile_settings.h"
#include "main_window.h"
#include "main_window_logic.h"
#include "main_window_notice_surface.h"
#include "notice_panel.h"
#include "program_folder.h"
#include "text_codec.h"
#include "utf8_file_system.h"
#include "win_engine_exports.h"
#include "win_main_window_view.h"

namespace qrwin {
namespace {

// Esc anywhere in the main window closes it.
int RunMessageLoop(HWND mainWindow) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE &&
        GetAncestor(message.hwnd, GA_ROOT) == mainWindow) {
      SendMessageW(mainWindow, WM_CLOSE, 0, 0);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int RunApplication(HINSTANCE instance) {
  OleInitialize(nullptr);  // the shell's folder browser and save dialog
  MainWindow::RegisterClasses(instance);

  qrapp::AppPaths paths;
  // The logic's paths are UTF-8, any folder name under any code page; the
  // engine library is loaded by its ANSI name.
  paths.programFolder = qrtext::CodePageFromWide(CP_UTF8, ProgramFolderWide());
  MainWindow window;
  WinMainWindowView view(window);
  WinEngineExports engine(AnsiProgramFolder());
  qrapp::EngineBatchSymbols symbols;
  qrapp::SteadyClock clock;
  qrplatform::Utf8FileSystem files;
  GbkProfileSettings settings(files, paths.settingsFile);
  MainWindowNoticeSurface noticeSurface(window);
  notice::win::NoticePanel notice(noticeSurface);
  qrapp::MainWindowHooks hooks;
  hooks.readNotice = [&notice] { notice.ReadNotice(); };
  hooks.timerTick = [&notice] { notice.OnTimerTick(); };
  hooks.linkPressed = [&notice] { notice.OnLinkPressed(); };
  qrapp::MainWindowLogic logic(view, engine, symbols, clock, files, settings, paths,
                               EmbeddedEngineImage(), hooks);

  auto events = [&logic](const std::string &name, qrapp::ControlEvent event) {
    logic.OnControlEvent(name, event);
  };
  if (!window.Create(instance, events)) return 1;
  window.AcceptDroppedFiles(resources::control::kBatchInput, [&logic](const std::wstring &path) {
    logic.ImportFile(qrtext::CodePageFromWide(CP_UTF8, path));
  });

  ShowWindow(window.Handle(), SW_SHOWNORMAL);
  UpdateWindow(window.Handle());
  // The created event: start-up runs before the window takes any input.
  logic.OnCreated();
  const int exitCode = RunMessageLoop(window.Handle());
  OleUninitialize();
  return exitCode;
}

}  // namespace qrwin
