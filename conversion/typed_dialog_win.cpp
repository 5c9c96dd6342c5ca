#include "conversion/typed_dialog_win.h"

#include "resources/convert.h"
#include "shell/help_win.h"
#include "shell/reporter_win.h"

namespace quantora {
namespace {

// Longer texts are no conversion anyone types; the field stops there.
constexpr int kTypedTextLimit = 200;

const DWORD kHelpTable[] = {IDC_TYPED_CAPTION, HC_TYPED_CONVERSION,
                            IDC_TYPED_EDIT,    HC_TYPED_CONVERSION,
                            IDC_TYPED_LINE,    HC_TYPED_CONVERSION,
                            0,                 0};

TypedDialogContext& Context(HWND dialog) {
  return *reinterpret_cast<TypedDialogContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

std::string TypedText(HWND dialog) {
  char text[kTypedTextLimit + 1] = {};
  GetDlgItemTextA(dialog, IDC_TYPED_EDIT, text, sizeof text);
  return text;
}

const TypedConversionReader& Reader(HWND dialog) {
  TypedDialogContext& context = Context(dialog);
  if (!context.reader) context.reader = LoadTypedConversionReader(*context.tables, context.dataPath);
  return *context.reader;
}

void OnTextChanged(HWND dialog) {
  const std::string text = TypedText(dialog);
  const std::string line = text.find_first_not_of(" \t") == std::string::npos
                               ? std::string()
                               : Reader(dialog).Line(text, *Context(dialog).format);
  SetDlgItemTextA(dialog, IDC_TYPED_LINE, line.c_str());
}

// OK and Enter: a text that reads is applied and the dialog closes; any other stays, with a
// beep, the line saying why.
void OnOk(HWND dialog) {
  TypedDialogContext& context = Context(dialog);
  const TypedConversion conversion = Reader(dialog).Read(TypedText(dialog));
  if (conversion.ok && context.apply && context.apply(Reader(dialog), conversion)) {
    EndDialog(dialog, IDOK);
    return;
  }
  ReporterFor(dialog, context.reporter).get().Beep(kBeepDefault);
  SetFocus(GetDlgItem(dialog, IDC_TYPED_EDIT));
}

BOOL OnInitDialog(HWND dialog, LPARAM context) {
  SetWindowLongPtrA(dialog, DWLP_USER, context);
  HWND edit = GetDlgItem(dialog, IDC_TYPED_EDIT);
  SendMessageA(edit, EM_LIMITTEXT, kTypedTextLimit, 0);
  SetWindowTextA(edit, Context(dialog).text.c_str());
  OnTextChanged(dialog);
  SetFocus(edit);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  return FALSE;  // the focus is set
}

}  // namespace

INT_PTR CALLBACK TypedConversionDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  // Nothing is done before WM_INITDIALOG has brought the context.
  if (message != WM_INITDIALOG && GetWindowLongPtrA(dialog, DWLP_USER) == 0) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_TYPED_EDIT:
          if (HIWORD(wParam) == EN_CHANGE) OnTextChanged(dialog);
          return TRUE;
        case IDOK:
          OnOk(dialog);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    case WM_HELP:
    case WM_CONTEXTMENU:
      return HandleHelpMessage(message, wParam, lParam, kHelpTable);
    default:
      return FALSE;
  }
}

}  // namespace quantora
