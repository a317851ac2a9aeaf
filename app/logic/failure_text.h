// Why a line produced no file, as the window tells the user (GBK).
#pragma once

#include <string>

#include "batch_run.h"

namespace qrapp {

// "二维码需要 232×232 像素，大于图像 200×200"
std::string TooLargeText(int symbolPixels, int width, int height);

// The reason for one failed line, with its sizes, the line holding its
// name or the system's words.
std::string FailureText(const LineFailure &failure);

}  // namespace qrapp
