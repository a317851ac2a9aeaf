// Checks of the window's batch and 生成 against lines that cannot give a
// readable image: TAB lines, symbols larger than the image, names used twice
// in one batch, and the end-of-batch report for long bad lines.
#pragma once

#include <cstdio>
#include <string>

#include "app_driver_support.h"

namespace appdriver {

// 生成 with a symbol larger than 编辑框3's side: a message, no file, an
// empty preview. Expects the preview to show a symbol before.
void CheckSingleTooLarge(const App &app, const std::wstring &exe);
// A batch with a TAB line, a symbol too large, a taken name and a missing
// folder; lists the images it expects decoded in `manifest`.
void CheckBatchFaults(const App &app, const std::wstring &destination, FILE *manifest);
// Ten bad lines of 3,000 bytes: the report box fits a 1024 x 768 screen.
void CheckLongReport(const App &app);

}  // namespace appdriver
