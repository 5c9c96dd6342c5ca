// The modal "PREFERENCES_DLG" dialog: notation, significant digits, places, truncation.
#pragma once

#include <windows.h>

#include <functional>

#include "numbers/number_format.h"
#include "resources/reporter.h"

namespace quantora {

// What the dialog works on, passed as DialogBoxParamA's parameter.
struct FormatDialogContext {
  NumericFormat* format = nullptr;  // changed in place, click by click
  // Where messages go; nullptr: message boxes owned by the dialog.
  Reporter* reporter = nullptr;
  // Called as the dialog ends: the owner shows its fields in the new format.
  std::function<void()> resultChanged;
};

INT_PTR CALLBACK NumericFormatDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quantora
