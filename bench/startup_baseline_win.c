/* The yardstick of the start-up benchmark: the least a Win32 program does to show a window
   with one edit control. It has the main window's class style and frame (no menu) and its
   edit control's id, so that the benchmark waits for both programs by the same condition. */
#include <windows.h>

#define BASELINE_CLASS "STARTUP_BASELINE"
#define EDIT_ID 500

static LRESULT CALLBACK BaselineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  WNDCLASSA wc;
  HWND window;
  MSG msg;
  (void)previous;
  (void)commandLine;
  (void)show;
  ZeroMemory(&wc, sizeof wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = BaselineProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(NULL, IDC_ARROW);
  wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  wc.lpszClassName = BASELINE_CLASS;
  if (!RegisterClassA(&wc)) return 1;
  window = CreateWindowExA(0, BASELINE_CLASS, "Baseline",
                           WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 10, 10, 400, 120,
                           NULL, NULL, instance, NULL);
  if (!window) return 1;
  CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 200, 20, window,
                  (HMENU)(INT_PTR)EDIT_ID, instance, NULL);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  while (GetMessageA(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return (int)msg.wParam;
}
