// The modal "INPUTUNIT_DLG" dialog: quantity, multiplier and unit of one side of one slot.
#pragma once

#include <windows.h>

namespace quantora {

INT_PTR CALLBACK UnitSelectionDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quantora
