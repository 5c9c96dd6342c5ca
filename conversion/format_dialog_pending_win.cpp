// Placeholder until the numeric format dialog lands: the dialog ends at once. The branch that
// adds conversion/format_dialog_win.cpp deletes this file.
#include "conversion/format_dialog_win.h"

namespace quantora {

INT_PTR CALLBACK NumericFormatDialog(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  EndDialog(dialog, 0);
  return TRUE;
}

}  // namespace quantora
