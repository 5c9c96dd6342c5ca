#include "shell/help_win.h"

namespace quantora {
namespace {
HelpHook g_helpHook = nullptr;
}

void SetHelpHook(HelpHook hook) { g_helpHook = hook; }

// The viewer and the help file lie outside the program: nothing is tested or reported.
void CallHelp(HWND window, UINT command, ULONG_PTR data) {
  if (g_helpHook) {
    g_helpHook(HelpCall{window, kHelpFile, command, data});
    return;
  }
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
