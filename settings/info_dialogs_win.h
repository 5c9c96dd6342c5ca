// The three dialogs of the Help menu that only show information: About, Support Information
// and Limit of Liability. They change nothing; OK, Cancel, Escape and the close box end them.
#pragma once

#include <windows.h>

#include "resources/version.h"

namespace quantora {

// What the About box shows besides its template; the main window hands it over as the
// dialog's creation parameter.
struct ReleaseFacts {
  const char* version;
  const char* buildDate;
};
constexpr ReleaseFacts kRelease{QUANTORA_VERSION_TEXT, "May 15, 1997"};

// lParam of WM_INITDIALOG: a const ReleaseFacts*.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The addresses come from the string table of the module the template was loaded from.
INT_PTR CALLBACK SupportInfoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK LiabilityDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The procedure every dialog that only shows information shares: fill(dialog, lParam) on
// WM_INITDIALOG, the end on OK and Cancel, help requests answered from helpTable.
using FillControls = void (*)(HWND dialog, LPARAM parameter);
INT_PTR InformationDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                          FillControls fill, const DWORD* helpTable);

}  // namespace quantora
