#include "app/main_window_win.h"
#include "resources/convert.h"

namespace quantora {

// Control id and help context pairs of the main window, ended by a pair of zeros.
const DWORD HelpContextTable[] = {
    IDC_FRAME_FROM, HC_VALUE,          IDC_FRAME_TO, HC_VALUE,          IDC_VALUE_EDIT, HC_VALUE,
    IDC_RESULT_EDIT, HC_RESULT,
    IDC_INPUT_LABEL_FIRST + 0, HC_INPUT_UNIT,  IDC_INPUT_LABEL_FIRST + 1, HC_INPUT_UNIT,
    IDC_INPUT_LABEL_FIRST + 2, HC_INPUT_UNIT,  IDC_INPUT_LABEL_FIRST + 3, HC_INPUT_UNIT,
    IDC_INPUT_LABEL_FIRST + 4, HC_INPUT_UNIT,  IDC_INPUT_LABEL_FIRST + 5, HC_INPUT_UNIT,
    IDC_INPUT_UNIT_BUTTON_FIRST + 0, HC_INPUT_UNIT,  IDC_INPUT_UNIT_BUTTON_FIRST + 1, HC_INPUT_UNIT,
    IDC_INPUT_UNIT_BUTTON_FIRST + 2, HC_INPUT_UNIT,  IDC_INPUT_UNIT_BUTTON_FIRST + 3, HC_INPUT_UNIT,
    IDC_INPUT_UNIT_BUTTON_FIRST + 4, HC_INPUT_UNIT,  IDC_INPUT_UNIT_BUTTON_FIRST + 5, HC_INPUT_UNIT,
    IDC_OUTPUT_LABEL_FIRST + 0, HC_OUTPUT_UNIT, IDC_OUTPUT_LABEL_FIRST + 1, HC_OUTPUT_UNIT,
    IDC_OUTPUT_LABEL_FIRST + 2, HC_OUTPUT_UNIT, IDC_OUTPUT_LABEL_FIRST + 3, HC_OUTPUT_UNIT,
    IDC_OUTPUT_LABEL_FIRST + 4, HC_OUTPUT_UNIT, IDC_OUTPUT_LABEL_FIRST + 5, HC_OUTPUT_UNIT,
    IDC_OUTPUT_UNIT_BUTTON_FIRST + 0, HC_OUTPUT_UNIT, IDC_OUTPUT_UNIT_BUTTON_FIRST + 1, HC_OUTPUT_UNIT,
    IDC_OUTPUT_UNIT_BUTTON_FIRST + 2, HC_OUTPUT_UNIT, IDC_OUTPUT_UNIT_BUTTON_FIRST + 3, HC_OUTPUT_UNIT,
    IDC_OUTPUT_UNIT_BUTTON_FIRST + 4, HC_OUTPUT_UNIT, IDC_OUTPUT_UNIT_BUTTON_FIRST + 5, HC_OUTPUT_UNIT,
    IDC_SWAP_SIMPLE, HC_SWAP_SIMPLE,   IDC_SWAP_MULTI, HC_SWAP_MULTI,
    0, 0};

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
