// The modal "PREFERENCES_DLG" dialog: notation, significant digits, places, truncation.
#pragma once

#include <windows.h>

namespace quantora {

INT_PTR CALLBACK NumericFormatDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quantora
