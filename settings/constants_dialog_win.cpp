// The physical constant lookup dialog. Choosing or double-clicking a row changes nothing;
// OK, Cancel and Escape close it, and nothing goes back to the main window.
#include "settings/constants_dialog_win.h"

#include <string>

#include "shell/help_win.h"
#include "shell/reporter_win.h"
#include "resources/convert.h"
#include "settings/constants_file.h"

namespace quantora {
namespace {

const DWORD kHelpTable[] = {
    IDC_CONSTANTS_LIST,          HC_CONSTANTS, IDC_CONSTANTS_NAME_HEADING,  HC_CONSTANTS,
    IDC_CONSTANTS_VALUE_HEADING, HC_CONSTANTS, IDC_CONSTANTS_UNITS_HEADING, HC_CONSTANTS,
    0,                           0};

constexpr int kFileNameLength = 49;

class ListBox : public ConstantsList {
 public:
  explicit ListBox(HWND list) : list_(list) {}
  void Clear() override { SendMessageA(list_, LB_RESETCONTENT, 0, 0); }
  bool Add(const std::string& row) override {
    const LRESULT added = SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    return added != LB_ERR && added != LB_ERRSPACE;
  }

 private:
  HWND list_;
};

std::string FileName(HWND dialog) {
  char name[kFileNameLength + 1] = {};
  const HINSTANCE instance =
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
  LoadStringA(instance, IDS_CONSTANTS_FILE, name, sizeof name);
  return name;
}

BOOL OnInitDialog(HWND dialog, const ConstantsDialogContext* context) {
  WinReporter platform(dialog);
  Reporter& reporter = context && context->reporter ? *context->reporter : platform;
  const std::string path = context && context->path ? context->path : FileName(dialog);
  if (!CheckConstantsFile(reporter, path.c_str())) {
    EndDialog(dialog, 0);
    return TRUE;
  }
  ListBox list(GetDlgItem(dialog, IDC_CONSTANTS_LIST));
  FillConstantsList(reporter, list, path.c_str());
  return TRUE;
}

}  // namespace

INT_PTR CALLBACK ConstantsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, reinterpret_cast<const ConstantsDialogContext*>(lParam));
    case WM_COMMAND:
      // wParam taken whole: a list notification carries the list's id and a code, never 1 or 2.
      if (wParam == IDOK || wParam == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    case WM_HELP:
    case WM_CONTEXTMENU:
      return HandleHelpMessage(message, wParam, lParam, kHelpTable);
    default:
      return FALSE;
  }
}

}  // namespace quantora
