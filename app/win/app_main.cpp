// Entry point of the batch generator.
#include <windows.h>

#include "application.h"
#include "late_bound_library.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  qrplatform::RestrictLibrarySearchToSystem();
  return qrwin::RunApplication(instance);
}
