// Entry point of the batch generator.
#include <windows.h>

#include "application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return qrwin::RunApplication(instance);
}
