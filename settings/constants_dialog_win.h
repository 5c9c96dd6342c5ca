// The modal "CONSTANTS_DLG" dialog: the physical constants of the constants file, for reading.
#pragma once

#include <windows.h>

#include "resources/reporter.h"

namespace quantora {

// What the dialog needs, passed as DialogBoxParamA's parameter.
struct ConstantsDialogContext {
  // The constants file; nullptr: the name of string 41016, in the working directory.
  const char* path = nullptr;
  // Where messages go; nullptr: message boxes owned by the dialog.
  Reporter* reporter = nullptr;
};

INT_PTR CALLBACK ConstantsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quantora
