// Entry point of quantora.exe: the one place the main window's state is made.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/main_window_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int) {
  if (previous == nullptr && !quantora::RegisterMainWindowClass(instance)) return 0;
  quantora::MainWindowState state;
  // "quantora.exe 60 mph to km/h": the words as given, quoted or not, are a typed conversion.
  for (int i = 1; i < __argc; ++i) {
    if (!state.startText.empty()) state.startText += ' ';
    state.startText += __argv[i];
  }
  HWND window = quantora::CreateMainWindow(instance, state);
  if (window == nullptr) return 0;
  return quantora::RunMessageLoop(window);
}
