// The physical constant lookup dialog. Choosing or double-clicking a row changes nothing;
// OK, Cancel and Escape close it, and nothing goes back to the main window.
#include "settings/constants_dialog_win.h"

#include <string>

#include "shell/reporter_win.h"
#include "resources/convert.h"
#include "settings/constants_file.h"
#include "settings/info_dialogs_win.h"

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

void FillDialog(HWND dialog, LPARAM parameter) {
  const auto* context = reinterpret_cast<const ConstantsDialogContext*>(parameter);
  WinReporter platform(dialog);
  Reporter& reporter = context && context->reporter ? *context->reporter : platform;
  const std::string path = context && context->path ? context->path : FileName(dialog);
  if (!CheckConstantsFile(reporter, path.c_str())) {
    EndDialog(dialog, 0);
    return;
  }
  ListBox list(GetDlgItem(dialog, IDC_CONSTANTS_LIST));
  FillConstantsList(reporter, list, path.c_str());
}

}  // namespace

// The pattern of the dialogs that only show information; wParam is taken whole, so a list
// notification (the list's id and a code) never closes it.
INT_PTR CALLBACK ConstantsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return InformationDialog(dialog, message, wParam, lParam, FillDialog, kHelpTable);
}

}  // namespace quantora
