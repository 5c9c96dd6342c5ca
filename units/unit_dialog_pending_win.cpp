// Placeholder until the unit selection dialog lands: the dialog ends at once. The branch that
// adds units/unit_dialog_win.cpp deletes this file.
#include "units/unit_dialog_win.h"

namespace quantora {

INT_PTR CALLBACK UnitSelectionDialog(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  EndDialog(dialog, 0);
  return TRUE;
}

}  // namespace quantora
