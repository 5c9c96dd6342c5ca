// Keyboard focus navigation over the real controls of both layouts.
#include <gtest/gtest.h>

#include "app/main_window_win.h"
#include "app/window_test_support_win.h"
#include "resources/convert.h"

namespace quantora {
namespace {

using testing::TestProgram;

std::string Ini(bool multi) {
  std::string ini = testing::DefaultIni() + "[LAST_USED]\r\nInputValue=2\r\nInputValuePresent=TRUE\r\n"
                    "DimensionIndex0=0\r\nInputUnitIndex0=1\r\nInputUnitMult0=0.3048\r\n"
                    "InputUnitSelected0=TRUE\r\nInputUnitScalerIndex0=3\r\nOutputUnitIndex0=0\r\n"
                    "OutputUnitMult0=1\r\nOutputUnitSelected0=TRUE\r\nOutputUnitScalerIndex0=3\r\n";
  if (multi) ini += "[USER_PREFERENCES]\r\nMultiDimensional=TRUE\r\n";
  return ini;
}

// A key as the user presses it: the key-down reaches the control with the focus.
void Press(WPARAM key) {
  HWND focus = GetFocus();
  SendMessageA(focus, WM_KEYDOWN, key, 0);
  SendMessageA(focus, WM_KEYUP, key, 0);
}

int FocusId() { return GetDlgCtrlID(GetFocus()); }

bool WholeTextSelected(HWND window, int id) {
  DWORD start = 0, end = 0;
  SendDlgItemMessageA(window, id, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                      reinterpret_cast<LPARAM>(&end));
  const LRESULT length = SendDlgItemMessageA(window, id, WM_GETTEXTLENGTH, 0, 0);
  return start == 0 && static_cast<LRESULT>(end) == length && length > 0;
}

// Every move is checked on the navigation tables; here the simple layout's keys reach its four
// controls, the first key starting from the value edit.
TEST(Navigation, SimpleModeKeysWalkTheFourControls) {
  TestProgram p(Ini(false));
  const struct {
    WPARAM key;
    int focus;
  } steps[] = {{VK_TAB, 602},  {VK_TAB, 501},   {VK_TAB, 608},  {VK_TAB, 500},
               {VK_LEFT, 608}, {VK_HOME, 500},  {VK_RIGHT, 602}, {VK_UP, 602},
               {VK_RIGHT, 501}, {VK_DOWN, 501}, {VK_END, 608}};
  for (const auto& step : steps) {
    Press(step.key);
    EXPECT_EQ(FocusId(), step.focus) << "key " << step.key;
  }
  EXPECT_EQ(p.state().navigation.KeyboardNavigation, 1);
}

// The multi-unit layout's keys reach the controls of its own order, by rows and columns.
TEST(Navigation, MultiUnitModeMovesInRowsAndColumns) {
  TestProgram p(Ini(true));
  const struct {
    WPARAM key;
    int focus;
  } steps[] = {{VK_TAB, 602},  {VK_DOWN, 605}, {VK_LEFT, 607}, {VK_TAB, 501}, {VK_UP, 500},
               {VK_LEFT, 604}, {VK_UP, 613},   {VK_HOME, 500}, {VK_END, 613}};
  for (const auto& step : steps) {
    Press(step.key);
    EXPECT_EQ(FocusId(), step.focus) << "key " << step.key;
  }
}

TEST(Navigation, EditsReachedByKeysHaveTheirWholeTextSelected) {
  TestProgram p(Ini(false));
  ASSERT_EQ(p.Text(IDC_RESULT_EDIT), "609.60 E-3");
  Press(VK_TAB);
  Press(VK_TAB);
  EXPECT_EQ(FocusId(), 501);
  EXPECT_TRUE(WholeTextSelected(p.window(), IDC_RESULT_EDIT));
  Press(VK_HOME);
  EXPECT_TRUE(WholeTextSelected(p.window(), IDC_VALUE_EDIT));
}

TEST(Navigation, EnterCommitsInTheValueEditAndDoesNothingInTheResultEdit) {
  TestProgram p(Ini(false));
  Press(VK_TAB);
  Press(VK_HOME);  // navigation on, back on the value edit
  SetDlgItemTextA(p.window(), IDC_VALUE_EDIT, "3");
  Press(VK_RETURN);
  p.Pump();
  EXPECT_EQ(p.state().conversion.InputValue, 3.0);
  EXPECT_EQ(p.state().navigation.KeyboardNavigation, 0);
  EXPECT_EQ(p.Text(IDC_RESULT_EDIT), "914.40 E-3");

  SetFocus(GetDlgItem(p.window(), IDC_RESULT_EDIT));
  Press(VK_RETURN);
  p.Pump();
  EXPECT_EQ(FocusId(), IDC_RESULT_EDIT);
  EXPECT_EQ(p.Text(IDC_RESULT_EDIT), "914.40 E-3");
}

TEST(Navigation, KeysThatActOnlyOnKeyDownAreLostButTypingWorks) {
  TestProgram p(Ini(false));
  HWND edit = GetDlgItem(p.window(), IDC_VALUE_EDIT);
  SetFocus(edit);
  SetDlgItemTextA(p.window(), IDC_VALUE_EDIT, "123");
  SendMessageA(edit, EM_SETSEL, 0, 0);
  Press(VK_DELETE);
  EXPECT_EQ(p.Text(IDC_VALUE_EDIT), "123");
  EXPECT_EQ(p.state().navigation.KeyboardNavigation, 0);  // not a navigation key
  SendMessageA(edit, EM_SETSEL, 3, 3);
  SendMessageA(edit, WM_CHAR, VK_BACK, 0);
  SendMessageA(edit, WM_CHAR, '4', 0);
  EXPECT_EQ(p.Text(IDC_VALUE_EDIT), "124");
  SendMessageA(edit, WM_CHAR, VK_TAB, 0);  // the Tab character never reaches the edit
  EXPECT_EQ(p.Text(IDC_VALUE_EDIT), "124");
}

TEST(Navigation, UnitLabelsAreNotFiltered) {
  TestProgram p(Ini(false));
  HWND label = GetDlgItem(p.window(), IDC_INPUT_LABEL_FIRST);
  SetFocus(label);
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), label);
  EXPECT_EQ(p.state().navigation.KeyboardNavigation, 0);
}

TEST(Navigation, ARecomputeBringsTheFocusBackToItsPosition) {
  TestProgram p(Ini(false));
  Press(VK_TAB);  // position 1, the input unit button
  // The user clicks into the value edit, types and clicks elsewhere.
  SetFocus(GetDlgItem(p.window(), IDC_VALUE_EDIT));
  SetDlgItemTextA(p.window(), IDC_VALUE_EDIT, "5");
  SetFocus(GetDlgItem(p.window(), IDC_INPUT_LABEL_FIRST));
  p.Pump();
  EXPECT_EQ(p.state().conversion.InputValue, 5.0);
  EXPECT_EQ(FocusId(), 602);
}

TEST(Navigation, APositionBeyondTheSimpleOrderFallsBackToTheValueEdit) {
  TestProgram p(Ini(true));
  Press(VK_END);
  Press(VK_LEFT);  // 612, position 12
  EXPECT_EQ(FocusId(), 612);
  SendMessageA(p.window(), WM_COMMAND, IDM_SIMPLE_MODE, 0);  // the rebuild ends in a recompute
  p.Pump();
  EXPECT_EQ(FocusId(), 500);
  Press(VK_TAB);
  EXPECT_EQ(FocusId(), 602);
}

TEST(Navigation, EnterOnAUnitButtonOpensItsDialogAndTheFocusComesBack) {
  TestProgram p(Ini(true));
  Press(VK_TAB);
  Press(VK_TAB);
  Press(VK_TAB);
  Press(VK_TAB);  // 605: input denominator of column 0 (slot 3)
  ASSERT_EQ(FocusId(), 605);
  HWND button = GetFocus();
  char caption[80] = {};
  testing::RunDialogAfter(p.window(), [&] { PostMessageA(button, WM_KEYDOWN, VK_RETURN, 0); },
                          [&](HWND dialog) {
                            GetWindowTextA(dialog, caption, sizeof caption);
                            SendMessageA(dialog, WM_CLOSE, 0, 0);
                          });
  p.Pump();
  EXPECT_STREQ(caption, "Unit Selection Dialog - Convert From Denominator...");
  EXPECT_EQ(FocusId(), 605);
}

}  // namespace
}  // namespace quantora
