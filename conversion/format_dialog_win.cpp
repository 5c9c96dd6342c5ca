// The Numeric Format dialog. There is no Cancel: every click, accepted entry and scroll step
// goes straight into the program's NumericFormat, and OK or the close box redisplays the main
// window's fields in the new format.
#include "conversion/format_dialog_win.h"

#include <string>

#include "app/main_window_win.h"
#include "app/program_win.h"
#include "conversion/format_dialog.h"
#include "resources/convert.h"

namespace quantora {
namespace {

const DWORD NumericFormatHelpTable[] = {
    IDC_SCIENTIFIC,    HC_SCIENTIFIC,    IDC_ENGINEERING,   HC_ENGINEERING,
    IDC_FIXED_DECIMAL, HC_FIXED_DECIMAL, IDC_PLACES_EDIT,   HC_PLACES,
    IDC_DIGITS_EDIT,   HC_DIGITS,        IDC_TRUNCATE,      HC_TRUNCATE,
    IDC_DIGITS_SCROLL, HC_DIGITS,        IDC_PLACES_SCROLL, HC_PLACES,
    IDC_DIGITS_LABEL,  HC_DIGITS,        IDC_PLACES_LABEL,  HC_PLACES,
    0,                 0};

// Room the string table's texts are loaded into: the pattern and the caption.
constexpr int kRangePatternLength = 250;
constexpr int kCaptionLength = 100;

HINSTANCE ResourceInstance() {
  return TheProgram().instance ? TheProgram().instance : GetModuleHandleA(nullptr);
}

std::string LoadText(UINT id, int maxLength) {
  std::string text(static_cast<std::size_t>(maxLength) + 1, '\0');
  const int length = LoadStringA(ResourceInstance(), id, &text[0], maxLength + 1);
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return text;
}

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return std::string();
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, &text[0], length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void EnableDigitControls(HWND dialog, Notation notation) {
  for (const ControlEnabling& control : DigitControlStates(notation)) {
    EnableWindow(GetDlgItem(dialog, control.id), control.enabled ? TRUE : FALSE);
  }
}

void ShowNotation(HWND dialog, Notation notation) {
  CheckRadioButton(dialog, IDC_ENGINEERING, IDC_FIXED_DECIMAL, NotationRadioButton(notation));
  EnableDigitControls(dialog, notation);
}

void ShowRangeMessage(HWND owner, UINT stringId, int low, int high) {
  ReporterFor reporter(owner);
  reporter.get().Beep(kBeepAsterisk);
  const std::string pattern = LoadText(stringId, kRangePatternLength);
  const std::string caption = LoadText(IDS_INFORMATION_TITLE, kCaptionLength);
  reporter.get().ShowMessage(FormatRangeMessage(pattern, low, high), caption, kStyleInformation);
}

void ShowNumber(HWND dialog, FormatField field, std::int32_t value) {
  SetDlgItemInt(dialog, EditOf(field), static_cast<UINT>(value), FALSE);
}

void ShowTruncation(HWND dialog) {
  SendDlgItemMessageA(dialog, IDC_TRUNCATE, BM_SETCHECK,
                      TheProgram().format.TruncateTrailingZeroes == 1 ? BST_CHECKED : BST_UNCHECKED,
                      0);
}

void CheckEdit(HWND dialog, FormatField field) {
  const EditCheck check =
      CheckFormatEdit(field, WindowText(GetDlgItem(dialog, EditOf(field))), TheProgram().format);
  if (!check.accepted) ShowRangeMessage(dialog, IDS_RANGE_MESSAGE, check.range.low, check.range.high);
  ShowNumber(dialog, field, check.shown);
}

// Moving the focus out of an edit runs its check. The close box and Alt+F4 leave the focus
// where it is, so a number typed just before would otherwise be checked only while the dialog
// is torn down, after the main window has been redrawn in the old format.
void LeaveEdit(HWND dialog) {
  const HWND focus = GetFocus();
  if (focus == GetDlgItem(dialog, IDC_PLACES_EDIT) || focus == GetDlgItem(dialog, IDC_DIGITS_EDIT)) {
    SetFocus(GetDlgItem(dialog, IDC_NOTATION_GROUP));
  }
}

void Finish(HWND dialog) {
  LeaveEdit(dialog);
  RecomputeResult(GetParent(dialog));
  EndDialog(dialog, 0);
}

BOOL OnInitDialog(HWND dialog) {
  const NumericFormat& format = TheProgram().format;
  ShowNumber(dialog, FormatField::kPlaces, format.PlacesRightOfDecimal);
  ShowNumber(dialog, FormatField::kSignificantDigits, format.SignificantDigits);
  ShowNotation(dialog, format.ValueDisplayType);
  ShowTruncation(dialog);
  return TRUE;
}

BOOL OnCommand(HWND dialog, int id, int notification) {
  Notation notation = ENGINEERING;
  if (NotationOfRadioButton(id, notation)) {
    TheProgram().format.ValueDisplayType = notation;
    ShowNotation(dialog, notation);
    return TRUE;
  }
  switch (id) {
    case IDC_TRUNCATE: {
      std::int32_t& truncate = TheProgram().format.TruncateTrailingZeroes;
      truncate = truncate == 0 ? 1 : 0;
      ShowTruncation(dialog);
      return TRUE;
    }
    case IDC_FORMAT_OK:
      Finish(dialog);
      return TRUE;
    case IDC_PLACES_EDIT:
      if (notification == EN_KILLFOCUS) CheckEdit(dialog, FormatField::kPlaces);
      return TRUE;
    case IDC_DIGITS_EDIT:
      if (notification == EN_KILLFOCUS) CheckEdit(dialog, FormatField::kSignificantDigits);
      return TRUE;
    case IDC_HIDDEN_DEFAULT:
      // Enter in an edit "presses" the hidden default button: the focus moves on, which runs
      // the edit's check, and the dialog stays open.
      SetFocus(GetDlgItem(dialog, IDC_NOTATION_GROUP));
      return TRUE;
    default:
      // IDOK and IDCANCEL included: Escape does not close the dialog.
      return FALSE;
  }
}

BOOL OnVScroll(HWND dialog, WPARAM code) {
  // Only the scroll bar of the current notation is enabled, so the sender does not matter.
  const ScrollStep step = StepFormatNumber(static_cast<std::uintptr_t>(code), TheProgram().format);
  if (!step.isStep) return TRUE;
  if (step.refused) ReporterFor(dialog).get().Beep(kBeepDefault);
  ShowNumber(dialog, step.field, step.shown);
  return TRUE;
}

}  // namespace

INT_PTR CALLBACK NumericFormatDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog);
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_VSCROLL:
      return OnVScroll(dialog, wParam);
    case WM_CLOSE:
      Finish(dialog);
      return TRUE;
    case WM_HELP:
    case WM_CONTEXTMENU:
      HandleHelpMessage(message, wParam, lParam, NumericFormatHelpTable);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace quantora
