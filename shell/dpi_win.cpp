#include "shell/dpi_win.h"

namespace quantora {
namespace {

// A function of USER32 that older versions of Windows lack: nullptr there.
template <typename Function>
Function UserFunction(const char* name) {
  const HMODULE user = GetModuleHandleA("user32.dll");
  return user ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user, name)))
              : nullptr;
}

}  // namespace

int WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = UserFunction<GetDpiForWindowFunction>("GetDpiForWindow");
  const UINT dpi = getDpiForWindow ? getDpiForWindow(window) : 0;
  if (dpi != 0) return static_cast<int>(dpi);
  HDC screen = GetDC(nullptr);
  const int systemDpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return systemDpi > 0 ? systemDpi : USER_DEFAULT_SCREEN_DPI;
}

BOOL AdjustWindowRectForDpi(RECT* rect, DWORD style, BOOL menu, DWORD exStyle, int dpi) {
  using AdjustFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = UserFunction<AdjustFunction>("AdjustWindowRectExForDpi");
  if (adjustForDpi) return adjustForDpi(rect, style, menu, exStyle, static_cast<UINT>(dpi));
  return AdjustWindowRectEx(rect, style, menu, exStyle);
}

}  // namespace quantora
