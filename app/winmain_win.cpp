// Entry point of quantora.exe.
#include <windows.h>

#include "app/main_window_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int) {
  if (previous == nullptr && !quantora::RegisterMainWindowClass(instance)) return 0;
  HWND window = quantora::CreateMainWindow(instance);
  if (window == nullptr) return 0;
  return quantora::RunMessageLoop(window);
}
