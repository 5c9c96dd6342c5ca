// The Numeric Format dialog. There is no Cancel: every click, accepted entry and scroll step
// goes straight into the program's NumericFormat, and OK or the close box redisplays the main
// window's fields in the new format.
#include "conversion/format_dialog_win.h"

#include <string>

#include "conversion/format_dialog.h"
#include "resources/convert.h"
#include "shell/help_win.h"
#include "shell/reporter_win.h"

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

FormatDialogContext& Context(HWND dialog) {
  return *reinterpret_cast<FormatDialogContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
}
NumericFormat& Format(HWND dialog) { return *Context(dialog).format; }

// The texts come from the string table of the module the dialog's template came from.
std::string LoadText(HWND dialog, UINT id, int maxLength) {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
  std::string text(static_cast<std::size_t>(maxLength) + 1, '\0');
  const int length = LoadStringA(instance, id, &text[0], maxLength + 1);
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

void ShowRangeMessage(HWND dialog, UINT stringId, int low, int high) {
  ReporterFor reporter(dialog, Context(dialog).reporter);
  reporter.get().Beep(kBeepAsterisk);
  const std::string pattern = LoadText(dialog, stringId, kRangePatternLength);
  const std::string caption = LoadText(dialog, IDS_INFORMATION_TITLE, kCaptionLength);
  reporter.get().ShowMessage(FormatRangeMessage(pattern, low, high), caption, kStyleInformation);
}

void ShowNumber(HWND dialog, FormatField field, std::int32_t value) {
  SetDlgItemInt(dialog, EditOf(field), static_cast<UINT>(value), FALSE);
}

void ShowTruncation(HWND dialog) {
  SendDlgItemMessageA(dialog, IDC_TRUNCATE, BM_SETCHECK,
                      Format(dialog).TruncateTrailingZeroes == 1 ? BST_CHECKED : BST_UNCHECKED,
                      0);
}

void CheckEdit(HWND dialog, FormatField field) {
  const EditCheck check =
      CheckFormatEdit(field, WindowText(GetDlgItem(dialog, EditOf(field))), Format(dialog));
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
  const FormatDialogContext& context = Context(dialog);
  if (context.resultChanged) context.resultChanged();
  EndDialog(dialog, 0);
}

BOOL OnInitDialog(HWND dialog, LPARAM context) {
  SetWindowLongPtrA(dialog, DWLP_USER, context);
  const NumericFormat& format = Format(dialog);
  ShowNumber(dialog, FormatField::kPlaces, format.PlacesRightOfDecimal);
  ShowNumber(dialog, FormatField::kSignificantDigits, format.SignificantDigits);
  ShowNotation(dialog, format.ValueDisplayType);
  ShowTruncation(dialog);
  return TRUE;
}

BOOL OnCommand(HWND dialog, int id, int notification) {
  Notation notation = ENGINEERING;
  if (NotationOfRadioButton(id, notation)) {
    Format(dialog).ValueDisplayType = notation;
    ShowNotation(dialog, notation);
    return TRUE;
  }
  switch (id) {
    case IDC_TRUNCATE: {
      std::int32_t& truncate = Format(dialog).TruncateTrailingZeroes;
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
  const ScrollStep step = StepFormatNumber(static_cast<std::uintptr_t>(code), Format(dialog));
  if (!step.isStep) return TRUE;
  if (step.refused) ReporterFor(dialog, Context(dialog).reporter).get().Beep(kBeepDefault);
  ShowNumber(dialog, step.field, step.shown);
  return TRUE;
}

}  // namespace

INT_PTR CALLBACK NumericFormatDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  // Nothing is done before WM_INITDIALOG has brought the context.
  if (message != WM_INITDIALOG && GetWindowLongPtrA(dialog, DWLP_USER) == 0) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_VSCROLL:
      return OnVScroll(dialog, wParam);
    case WM_CLOSE:
      Finish(dialog);
      return TRUE;
    case WM_HELP:
    case WM_CONTEXTMENU:
      return HandleHelpMessage(message, wParam, lParam, NumericFormatHelpTable);
    default:
      return FALSE;
  }
}

}  // namespace quantora
