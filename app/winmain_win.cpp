// Entry point of quantora.exe: the one place the main window's state is made.
#include <windows.h>

#include "app/main_window_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int) {
  if (previous == nullptr && !quantora::RegisterMainWindowClass(instance)) return 0;
  quantora::MainWindowState state;
  HWND window = quantora::CreateMainWindow(instance, state);
  if (window == nullptr) return 0;
  return quantora::RunMessageLoop(window);
}
