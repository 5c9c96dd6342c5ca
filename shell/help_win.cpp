#include "shell/help_win.h"

namespace quantora {

// The viewer shows its own errors (a missing or damaged help file): nothing to report here.
void CallHelp(HWND window, UINT command, ULONG_PTR data) {
  WinHelpA(window, kHelpFile, command, data);
}

BOOL HandleHelpMessage(UINT message, WPARAM wParam, LPARAM lParam, const DWORD* table) {
  if (message == WM_HELP) {
    const HELPINFO* info = reinterpret_cast<const HELPINFO*>(lParam);
    if (info && info->iContextType == HELPINFO_WINDOW) {
      CallHelp(static_cast<HWND>(info->hItemHandle), HELP_WM_HELP,
               reinterpret_cast<ULONG_PTR>(table));
    }
  } else if (message == WM_CONTEXTMENU) {
    CallHelp(reinterpret_cast<HWND>(wParam), HELP_CONTEXTMENU, reinterpret_cast<ULONG_PTR>(table));
  }
  return TRUE;
}

}  // namespace quantora
