#include "file_drop.h"

#include <shellapi.h>

#include <string>

#include "window_subclass_functions.h"

namespace qrwin {

namespace {

LRESULT CALLBACK DropTargetProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
  switch (message) {
    case WM_DROPFILES: {
      const auto drop = reinterpret_cast<HDROP>(wParam);
      // Wide names: any folder or file name under any code page.
      const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
      std::wstring path(static_cast<size_t>(length) + 1, L'\0');
      path.resize(DragQueryFileW(drop, 0, &path[0], length + 1));
      DragFinish(drop);
      if (!path.empty())
        SendMessageW(GetAncestor(control, GA_ROOT), kFileDroppedMessage, 0,
                     reinterpret_cast<LPARAM>(path.c_str()));
      return 0;
    }
    case WM_NCDESTROY: WindowSubclass().removeSubclass(control, DropTargetProc, 0); break;
  }
  return WindowSubclass().defaultProcedure(control, message, wParam, lParam);
}

}  // namespace

void AcceptDroppedFiles(HWND control) {
  WindowSubclass().setSubclass(control, DropTargetProc, 0, 0);
  DragAcceptFiles(control, TRUE);
}

}  // namespace qrwin
