// Context help of every window of the program: the calls into the help viewer. A test can
// watch them instead.
#pragma once

#include <windows.h>

#include <string>

namespace quantora {

constexpr const char* kHelpFile = "QUANTORA.HLP";

struct HelpCall {
  HWND window;
  std::string file;
  UINT command;
  ULONG_PTR data;
};
using HelpHook = void (*)(const HelpCall&);
void SetHelpHook(HelpHook hook);
void CallHelp(HWND window, UINT command, ULONG_PTR data);
// WM_HELP and WM_CONTEXTMENU of a window whose controls are listed in table (control id and
// help context pairs, ended by a pair of zeros).
BOOL HandleHelpMessage(UINT message, WPARAM wParam, LPARAM lParam, const DWORD* table);

}  // namespace quantora
