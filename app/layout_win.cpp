// Creates and places the main window's controls from the layout the core plans.
#include "app/layout.h"
#include "app/main_window_win.h"
#include "resources/convert.h"
#include "settings/settings.h"
#include "shell/dpi_win.h"

namespace quantora {
namespace {

DWORD StyleOf(ControlKind kind) {
  const DWORD base = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case ControlKind::Frame: return base | BS_GROUPBOX;
    case ControlKind::ValueEdit: return base | ES_AUTOHSCROLL;
    case ControlKind::ResultEdit:
    case ControlKind::UnitLabel: return base | ES_AUTOHSCROLL | ES_READONLY;
    case ControlKind::UnitButton:
    case ControlKind::SwapButton: return base | BS_OWNERDRAW;
  }
  return base;
}

void Destroy(HWND window, int id) {
  if (HWND control = GetDlgItem(window, id)) DestroyWindow(control);
}

void DestroyKept(HWND& control) {
  if (control) DestroyWindow(control);
  control = nullptr;
}

// Every control of either layout goes, whatever mode built it.
void DestroyControls(HWND window) {
  MainWindowState& program = *StateOf(window);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    Destroy(window, IDC_INPUT_LABEL_FIRST + slot);
    Destroy(window, IDC_OUTPUT_LABEL_FIRST + slot);
    Destroy(window, IDC_INPUT_UNIT_BUTTON_FIRST + slot);
    Destroy(window, IDC_OUTPUT_UNIT_BUTTON_FIRST + slot);
  }
  DestroyKept(program.valueEdit);
  DestroyKept(program.resultEdit);
  DestroyKept(program.swapButton);
  Destroy(window, IDC_FRAME_FROM);
  Destroy(window, IDC_FRAME_TO);
}

constexpr int kMaxMonitors = 16;

struct WorkAreas {
  Rect areas[kMaxMonitors];
  int count = 0;
};

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  WorkAreas& found = *reinterpret_cast<WorkAreas*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (found.count < kMaxMonitors && GetMonitorInfoA(monitor, &info)) {
    const RECT& w = info.rcWork;
    found.areas[found.count++] = Rect{w.left, w.top, w.right, w.bottom};
  }
  return TRUE;
}

// Left and top of the window: the saved place at the first layout of a run (or the default
// place when the window would stand there off every monitor's work area), afterwards
// wherever the user has moved it.
POINT WindowOrigin(HWND window, WindowSize size) {
  MainWindowState& program = *StateOf(window);
  if (!program.savedRectUsed && program.store) {
    program.savedRectUsed = true;
    const WindowRect saved = TransferWindowRect(kLoadWindowRect, *program.store);
    WorkAreas work;
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&work));
    const ScreenPoint origin =
        StartingOrigin(ScreenPoint{saved.left, saved.top}, size, work.areas, work.count,
                       ScreenPoint{kDefaultWindowLeft, kDefaultWindowTop});
    return POINT{origin.x, origin.y};
  }
  RECT r{};
  GetWindowRect(window, &r);
  return POINT{r.left, r.top};
}

void CreateControls(HWND window, const LayoutPlan& plan) {
  MainWindowState& program = *StateOf(window);
  for (int i = 0; i < plan.controlCount; ++i) {
    const ControlPlacement& c = plan.controls[i];
    HWND control = CreateWindowExA(0, c.className, c.caption, StyleOf(c.kind), c.x, c.y, c.width,
                                   c.height, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                   program.instance, nullptr);
    if (c.kind == ControlKind::ValueEdit) program.valueEdit = control;
    if (c.kind == ControlKind::ResultEdit) program.resultEdit = control;
    if (c.kind == ControlKind::SwapButton) program.swapButton = control;
  }
}

void SetFonts(HWND window, bool multi) {
  const WPARAM font = reinterpret_cast<WPARAM>(StateOf(window)->Font());
  SendDlgItemMessageA(window, IDC_VALUE_EDIT, WM_SETFONT, font, 0);
  SendDlgItemMessageA(window, IDC_RESULT_EDIT, WM_SETFONT, font, 0);
  const int slots = multi ? kSlotCount : 1;
  for (int slot = 0; slot < slots; ++slot) {
    SendDlgItemMessageA(window, IDC_INPUT_LABEL_FIRST + slot, WM_SETFONT, font, 0);
    SendDlgItemMessageA(window, IDC_OUTPUT_LABEL_FIRST + slot, WM_SETFONT, font, 0);
  }
}

// The outer size that gives the window the client area of the mode's designed size under the
// caption, frame and menu metrics in force at the window's DPI.
WindowSize OuterSize(HWND window, bool multi) {
  const MainWindowState& program = *StateOf(window);
  const WindowSize client =
      DesignedClientSize(multi, program.CharWidth, program.CharHeight, program.Dpi);
  RECT r{0, 0, client.width, client.height};
  AdjustWindowRectForDpi(&r, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)), TRUE,
                         static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)), program.Dpi);
  return WindowSize{r.right - r.left, r.bottom - r.top};
}

}  // namespace

void ShowUnitLabel(HWND window, const QuantityRecord& record, bool inputSide) {
  char label[kLabelSize];
  ComposeUnitLabel(record, inputSide, StateOf(window)->tables, label);
  SetDlgItemTextA(window, Side(record, inputSide).LabelId, label);
}

void WriteUnitLabels(HWND window) {
  for (const QuantityRecord& record : StateOf(window)->conversion.QuantityRecords) {
    for (bool input : {true, false}) {
      if (Side(record, input).UnitSelected) ShowUnitLabel(window, record, input);
    }
  }
}

void BuildLayout(HWND window) {
  MainWindowState& program = *StateOf(window);
  const bool multi = program.MultiUnitMode();
  HMENU menu = GetMenu(window);
  const POINT origin = WindowOrigin(window, OuterSize(window, multi));
  DestroyControls(window);

  CheckMenuItem(menu, IDM_SIMPLE_MODE, MF_BYCOMMAND | (multi ? MF_UNCHECKED : MF_CHECKED));
  CheckMenuItem(menu, IDM_MULTI_MODE, MF_BYCOMMAND | (multi ? MF_CHECKED : MF_UNCHECKED));
  // A move onto a monitor of another DPI changes the font and the frame: the window is sized
  // again for them, where it now stands.
  program.layingOut = true;
  int dpi = 0;
  for (int moves = 0; moves < 3 && dpi != program.Dpi; ++moves) {
    dpi = program.Dpi;
    const WindowSize size = OuterSize(window, multi);
    RECT now{};
    GetWindowRect(window, &now);
    const POINT at = moves == 0 ? origin : POINT{now.left, now.top};
    MoveWindow(window, at.x, at.y, size.width, size.height, TRUE);
  }
  program.layingOut = false;
  ShowWindow(window, SW_SHOWNORMAL);

  RECT client{};
  GetClientRect(window, &client);
  program.layout = PlanLayout(multi, program.CharWidth, program.CharHeight,
                              Rect{client.left, client.top, client.right, client.bottom},
                              program.conversion.QuantityRecords, program.Dpi);
  CreateControls(window, program.layout);
  SubclassControls(window, multi);
  WriteUnitLabels(window);
  SetFonts(window, multi);
  if (program.retiredFont) DeleteObject(program.retiredFont);
  program.retiredFont = nullptr;
  InvalidateRect(window, nullptr, TRUE);
  RecomputeResult(window);
}

}  // namespace quantora
