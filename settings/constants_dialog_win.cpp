// The physical constant lookup dialog. Choosing or double-clicking a row changes nothing;
// OK, Cancel and Escape close it, and nothing goes back to the main window.
#include "settings/constants_dialog_win.h"

#include <string>

#include "shell/gdi_win.h"
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

// The list expands the tabs of a row to its default stops, eight average characters of its own
// font apart (in pixels, which need not come to the 32 dialog units the stops are documented
// as): names start at its left edge, values at the third stop, units at the sixth. Each
// heading is moved to the left edge of its column, measured as the list will draw it.
void PlaceHeadings(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_CONSTANTS_LIST);
  HDC dc = GetDC(list);
  int stop = 0;
  {
    const Selection font(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    stop = LOWORD(GetTabbedTextExtentA(dc, "\t", 1, 0, nullptr));
  }
  ReleaseDC(list, dc);
  constexpr int kTextInset = 1;  // the list draws a row's text a pixel in from its edge
  const struct {
    int id;
    int stops;
  } headings[] = {{IDC_CONSTANTS_NAME_HEADING, 0},
                  {IDC_CONSTANTS_VALUE_HEADING, 3},
                  {IDC_CONSTANTS_UNITS_HEADING, 6}};
  for (const auto& h : headings) {
    HWND heading = GetDlgItem(dialog, h.id);
    RECT place{};
    GetWindowRect(heading, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    POINT column{h.stops * stop + kTextInset, 0};
    MapWindowPoints(list, dialog, &column, 1);
    SetWindowPos(heading, nullptr, column.x, place.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

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
  PlaceHeadings(dialog);
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
