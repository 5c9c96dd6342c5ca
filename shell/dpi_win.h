// The DPI a window is shown at and the window frame at that DPI. Windows 10 (1607) tells both
// per monitor; the functions that do are looked up at run time, so that the program still
// starts on older versions, where the system's DPI and frame metrics count instead.
#pragma once

#include <windows.h>

namespace quantora {

// The window's DPI; the screen's where Windows cannot tell it per window.
int WindowDpi(HWND window);

// AdjustWindowRectEx with the caption, menu bar and frame a window has at dpi.
BOOL AdjustWindowRectForDpi(RECT* rect, DWORD style, BOOL menu, DWORD exStyle, int dpi);

}  // namespace quantora
