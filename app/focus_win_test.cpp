// The key filters of the main window's controls, driven as a user presses keys.
#include <gtest/gtest.h>

#include "app/main_window_win.h"
#include "resources/convert.h"
#include "testing/window_test_support_win.h"

namespace quantora {
namespace {

using testing::TestProgram;

constexpr int kIn = IDC_INPUT_UNIT_BUTTON_FIRST;
constexpr int kOut = IDC_OUTPUT_UNIT_BUTTON_FIRST;

std::string Ini(bool multi) {
  return testing::FeetToMetersIni("InputValue=2\r\nInputValuePresent=TRUE\r\n",
                                  multi ? "[USER_PREFERENCES]\r\nMultiDimensional=TRUE\r\n" : "");
}

// A key as the user presses it: the key-down reaches the control with the focus.
void Press(WPARAM key) {
  HWND focus = GetFocus();
  SendMessageA(focus, WM_KEYDOWN, key, 0);
  SendMessageA(focus, WM_KEYUP, key, 0);
}

int FocusId() { return GetDlgCtrlID(GetFocus()); }

// The moves themselves are checked on the navigation tables; here the keys reach the controls,
// the first from the value edit, and an edit reached has its whole text selected. Enter in the
// value edit ends keyboard navigation; the filter keeps every other key-down from the edit, so
// Delete deletes nothing.
TEST(KeyFilters, KeysWalkTheControlsAndEnterEndsTheWalk) {
  TestProgram p(Ini(false));
  // A key through each of the three filters; each edit is reached once.
  const std::pair<WPARAM, int> steps[] = {
      {VK_TAB, kIn}, {VK_RIGHT, IDC_RESULT_EDIT}, {VK_END, kOut}, {VK_HOME, IDC_VALUE_EDIT}};
  for (const auto& [key, focus] : steps) {
    Press(key);
    ASSERT_EQ(FocusId(), focus) << "key " << key;
    if (focus == IDC_RESULT_EDIT || focus == IDC_VALUE_EDIT) {
      const LRESULT selection = SendMessageA(GetFocus(), EM_GETSEL, 0, 0);
      EXPECT_EQ(LOWORD(selection), 0);
      EXPECT_EQ(HIWORD(selection), GetWindowTextLengthA(GetFocus()));
    }
  }
  Press(VK_RETURN);  // what it commits is the main window test's
  p.Pump();
  EXPECT_EQ(p.state().navigation.KeyboardNavigation, 0);
  SendDlgItemMessageA(p.window(), IDC_VALUE_EDIT, EM_SETSEL, 0, 0);
  Press(VK_DELETE);
  EXPECT_EQ(p.Text(IDC_VALUE_EDIT), "2.0000");
  // A Ctrl+Shift+click carries the flags 13 in wParam, as Enter does: the click still lands.
  SetFocus(GetDlgItem(p.window(), IDC_RESULT_EDIT));
  SendDlgItemMessageA(p.window(), IDC_VALUE_EDIT, WM_LBUTTONDOWN,
                      MK_LBUTTON | MK_SHIFT | MK_CONTROL, MAKELPARAM(2, 2));
  SendDlgItemMessageA(p.window(), IDC_VALUE_EDIT, WM_LBUTTONUP, MK_SHIFT | MK_CONTROL, MAKELPARAM(2, 2));
  EXPECT_EQ(FocusId(), IDC_VALUE_EDIT);
}

// A click on the button's unit label opens the same dialog.
TEST(KeyFilters, EnterOnAUnitButtonOrAClickOnItsLabelOpensItsDialog) {
  TestProgram p(Ini(true));
  for (int i = 0; i < 4; ++i) Press(VK_TAB);
  ASSERT_EQ(FocusId(), kIn + 3);  // the input denominator of the first column
  HWND button = GetFocus();
  char caption[80] = {};
  EXPECT_TRUE(testing::RunDialog(button, WM_KEYDOWN, VK_RETURN, [&](HWND dialog) {
    GetWindowTextA(dialog, caption, sizeof caption);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
  }));
  p.Pump();
  EXPECT_STREQ(caption, "Unit Selection Dialog - Convert From Denominator...");
  EXPECT_EQ(FocusId(), kIn + 3);
  char clicked[80] = {};
  HWND label = GetDlgItem(p.window(), IDC_INPUT_LABEL_FIRST + 3);
  EXPECT_TRUE(testing::RunDialog(label, WM_LBUTTONDOWN, MK_LBUTTON, [&](HWND dialog) {
    GetWindowTextA(dialog, clicked, sizeof clicked);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
  }));
  EXPECT_STREQ(clicked, caption);
}

}  // namespace
}  // namespace quantora
