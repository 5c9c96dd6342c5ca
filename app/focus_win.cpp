// The key filters of the value edit, the result edit and the unit buttons, the click that
// opens a unit label's dialog, and the focus movement the keys drive. The main window is no
// dialog, so Tab and the arrows move the focus only through here.
#include "app/main_window_win.h"
#include "app/navigation.h"
#include "resources/convert.h"
#include "shell/subclass_win.h"

namespace quantora {
namespace {

bool MultiUnitModeOf(HWND control) {
  const MainWindowState* state = StateOf(GetParent(control));
  return state && state->MultiUnitMode();
}

// Only the keyboard's Enter is kept from the controls: a mouse message carries the key-state
// flags in wParam, and MK_LBUTTON | MK_SHIFT | MK_CONTROL has the same value as VK_RETURN.
bool IsEnterKey(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_KEYDOWN: case WM_KEYUP: case WM_CHAR:
    case WM_SYSKEYDOWN: case WM_SYSKEYUP: case WM_SYSCHAR: return wParam == VK_RETURN;
    default: return false;
  }
}

// Enter becomes a command for the main window, as a click would be.
void SendEnterCommand(HWND control, int commandId) {
  const LPARAM lParam = MAKELPARAM(LOWORD(reinterpret_cast<UINT_PTR>(control)), 0x0200);
  SendMessageA(GetParent(control), WM_COMMAND, static_cast<WPARAM>(commandId), lParam);
}

LRESULT CALLBACK ValueEditFilter(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN) {
    if (wParam == VK_RETURN) {
      SendEnterCommand(control, IDM_ACCEPT_VALUE);
    } else {
      NavigateByKey(GetParent(control), static_cast<int>(wParam), MultiUnitModeOf(control));
    }
    return 0;
  }
  if ((message == WM_KEYUP || message == WM_CHAR) && wParam == VK_TAB) return 0;
  if (IsEnterKey(message, wParam)) return 0;
  return CallControlProcedure(control, message, wParam, lParam);
}

LRESULT CALLBACK ResultEditFilter(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN) {
    NavigateByKey(GetParent(control), static_cast<int>(wParam), MultiUnitModeOf(control));
    return 0;
  }
  if (IsEnterKey(message, wParam)) return 0;
  return CallControlProcedure(control, message, wParam, lParam);
}

LRESULT CALLBACK UnitButtonFilter(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN) {
    if (wParam == VK_RETURN) {
      SendEnterCommand(control, GetDlgCtrlID(control));
    } else {
      NavigateByKey(GetParent(control), static_cast<int>(wParam), MultiUnitModeOf(control));
    }
    return 0;
  }
  return CallControlProcedure(control, message, wParam, lParam);
}

// A unit label looks like a field that drops down, so a click on it does what a click on the
// unit button beside it does: the unit selection dialog for the same slot and side. The label
// keeps its text, its colours and every other message.
LRESULT CALLBACK UnitLabelFilter(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
    const int label = GetDlgCtrlID(control);
    const bool input = label < IDC_OUTPUT_LABEL_FIRST;
    const int button = label - (input ? IDC_INPUT_LABEL_FIRST : IDC_OUTPUT_LABEL_FIRST) +
                       (input ? IDC_INPUT_UNIT_BUTTON_FIRST : IDC_OUTPUT_UNIT_BUTTON_FIRST);
    HWND window = GetParent(control);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, button)));
    return 0;
  }
  return CallControlProcedure(control, message, wParam, lParam);
}

void Subclass(HWND window, int id, WNDPROC filter) {
  SubclassControl(GetDlgItem(window, id), filter);
}

}  // namespace

void SubclassControls(HWND window, bool multiDimensional) {
  Subclass(window, IDC_VALUE_EDIT, ValueEditFilter);
  Subclass(window, IDC_RESULT_EDIT, ResultEditFilter);
  const int slots = multiDimensional ? kSlotCount : 1;
  for (int slot = 0; slot < slots; ++slot) {
    Subclass(window, IDC_INPUT_UNIT_BUTTON_FIRST + slot, UnitButtonFilter);
    Subclass(window, IDC_OUTPUT_UNIT_BUTTON_FIRST + slot, UnitButtonFilter);
    Subclass(window, IDC_INPUT_LABEL_FIRST + slot, UnitLabelFilter);
    Subclass(window, IDC_OUTPUT_LABEL_FIRST + slot, UnitLabelFilter);
  }
}

void SetKeyboardNavigation(HWND window, bool on) {
  SetKeyboardNavigation(StateOf(window)->navigation, on);
}

void RestoreFocus(HWND window, bool multiDimensional) {
  const int id = FocusControlId(multiDimensional, StateOf(window)->navigation.FocusIndex);
  SetFocus(GetDlgItem(window, id));
  if (id == IDC_VALUE_EDIT || id == IDC_RESULT_EDIT) {
    SendDlgItemMessageA(window, id, EM_SETSEL, 0, -1);
  }
}

void NavigateByKey(HWND window, int virtualKey, bool multiDimensional) {
  MainWindowState* state = StateOf(window);
  if (state == nullptr) return;
  const NavigationStep step = NavigateByKey(multiDimensional, virtualKey, state->navigation);
  if (!step.restoreFocus) return;
  state->navigation = step.state;
  RestoreFocus(window, multiDimensional);
}

}  // namespace quantora
