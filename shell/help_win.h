// Context help of every window of the program: the calls into the help viewer.
#pragma once

#include <windows.h>

namespace quantora {

constexpr const char* kHelpFile = "QUANTORA.HLP";

void CallHelp(HWND window, UINT command, ULONG_PTR data);
// WM_HELP and WM_CONTEXTMENU of a window whose controls are listed in table (control id and
// help context pairs, ended by a pair of zeros).
BOOL HandleHelpMessage(UINT message, WPARAM wParam, LPARAM lParam, const DWORD* table);

}  // namespace quantora
