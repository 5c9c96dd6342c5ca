// The unit selection dialog driven for real: opened from the main window's unit button, its
// lists picked and its buttons pressed, the main window read back afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/convert.h"
#include "testing/window_test_support_win.h"

namespace quantora {
namespace {

constexpr int kInputButton = IDC_INPUT_UNIT_BUTTON_FIRST;
enum Row { kKilo = 1, kMeter = 0 };

// A pick as the user makes it: the row is selected and the list tells the dialog.
void Pick(HWND dialog, int listId, int row) {
  HWND list = GetDlgItem(dialog, listId);
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

// Every pick takes effect at once, so there is no Cancel: Escape (the dialog's Cancel) leaves
// the dialog open, and OK, Enter and the close box all keep the choice, label and result alike.
TEST(UnitDialogWin, EveryWayOfClosingKeepsTheChoice) {
  const struct {
    const char* how;
    void (*close)(HWND);
  } rows[] = {
      {"OK", [](HWND d) { SendDlgItemMessageA(d, IDC_UNIT_OK, BM_CLICK, 0, 0); }},
      {"close box", [](HWND d) { SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Enter", [](HWND d) { testing::PressDialogKey(d, GetFocus(), VK_RETURN); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.how);
    // Two feet to meters.
    testing::TestProgram program(
        testing::FeetToMetersIni("InputValue=2\r\nInputValuePresent=TRUE\r\n"));
    bool openAfterEscape = false;
    EXPECT_TRUE(testing::RunDialog(program.window(), WM_COMMAND, kInputButton, [&](HWND dialog) {
      SetFocus(GetDlgItem(dialog, IDC_UNIT_LIST));
      testing::PressDialogKey(dialog, GetFocus(), VK_ESCAPE);
      openAfterEscape = IsWindowVisible(dialog) != FALSE;
      Pick(dialog, IDC_MULTIPLIER_LIST, kKilo);
      Pick(dialog, IDC_UNIT_LIST, kMeter);
      row.close(dialog);
    })) << "the dialog did not close";
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(program.Text(IDC_INPUT_LABEL_FIRST), "kilometer");
    EXPECT_EQ(program.Text(IDC_RESULT_EDIT), "2.0000 E3");
    EXPECT_TRUE(program.reporter().messages.empty());
  }
}

// A unit found by name and taken with Enter is what OK then shows; one of another quantity
// also discards the other side's unit, as a click on that quantity does. Down and Up step
// through the matches (meter, Square meters, Cubic meters); Escape empties the field.
TEST(UnitDialogWin, EnterInTheFindFieldTakesTheMatch) {
  const struct {
    const char* typed;
    std::vector<WPARAM> keys;
    const char* input;
    const char* output;
  } rows[] = {{"kilometer", {}, "kilometer", "meter"},
              {"meter", {VK_UP, VK_DOWN, VK_DOWN}, "Cubic meters", ""},
              {"meter", {VK_ESCAPE}, "foot", "meter"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed + std::to_string(row.keys.size()));
    testing::TestProgram program;
    EXPECT_TRUE(testing::RunDialog(program.window(), WM_COMMAND, kInputButton, [&](HWND dialog) {
      HWND edit = GetDlgItem(dialog, IDC_FIND_EDIT);
      SetFocus(edit);
      for (const char* c = row.typed; *c; ++c) SendMessageA(edit, WM_CHAR, *c, 0);
      for (WPARAM key : row.keys) testing::PressDialogKey(dialog, edit, key);
      testing::PressDialogKey(dialog, edit, VK_RETURN);
      EXPECT_TRUE(IsWindowVisible(dialog));
      SendDlgItemMessageA(dialog, IDC_UNIT_OK, BM_CLICK, 0, 0);
    }));
    EXPECT_EQ(program.Text(IDC_INPUT_LABEL_FIRST), row.input);
    EXPECT_EQ(program.Text(IDC_OUTPUT_LABEL_FIRST), row.output);
  }
}

}  // namespace
}  // namespace quantora
