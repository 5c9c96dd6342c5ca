// The unit selection dialog driven for real: opened from the main window's unit button, its
// lists picked and its buttons pressed, the main window read back afterwards.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/window_test_support_win.h"
#include "resources/convert.h"

namespace quantora {
namespace {

constexpr int kInputButton = IDC_INPUT_UNIT_BUTTON_FIRST;
enum Row { kKilo = 0, kMeter = 0, kFoot = 1 };

// Two feet to meters.
std::string Ini() { return testing::FeetToMetersIni("InputValue=2\r\nInputValuePresent=TRUE\r\n"); }

// A pick as the user makes it: the row is selected and the list tells the dialog.
void Pick(HWND dialog, int listId, int row) {
  HWND list = GetDlgItem(dialog, listId);
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

void Ok(HWND dialog) { SendDlgItemMessageA(dialog, IDC_UNIT_OK, BM_CLICK, 0, 0); }

// Every pick takes effect at once, so there is no Cancel: Escape and Cancel leave the dialog
// open, and OK, Enter and the close box all keep the choice, label and result alike.
TEST(UnitDialogWin, EveryWayOfClosingKeepsTheChoice) {
  const struct {
    const char* how;
    void (*close)(HWND);
  } rows[] = {
      {"OK", Ok},
      {"close box", [](HWND d) { SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Enter", [](HWND d) { testing::PressDialogKey(d, GetFocus(), VK_RETURN); }},
  };
  for (const auto& row : rows) {
    const char* how = row.how;
    testing::TestProgram program(Ini());
    bool openAfterEscape = false;
    EXPECT_TRUE(testing::RunDialog(program.window(), WM_COMMAND, kInputButton, [&](HWND dialog) {
      SetFocus(GetDlgItem(dialog, IDC_UNIT_LIST));
      testing::PressDialogKey(dialog, GetFocus(), VK_ESCAPE);
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      openAfterEscape = IsWindowVisible(dialog) != FALSE;
      Pick(dialog, IDC_MULTIPLIER_LIST, kKilo);
      Pick(dialog, IDC_UNIT_LIST, kMeter);
      row.close(dialog);
    })) << how << ": the dialog did not close";
    EXPECT_TRUE(openAfterEscape) << how;
    EXPECT_EQ(program.Text(IDC_INPUT_LABEL_FIRST), "kilometer") << how;
    EXPECT_EQ(program.Text(IDC_RESULT_EDIT), "2.0000 E3") << how;
    EXPECT_TRUE(program.reporter().messages.empty()) << how;
  }
}

// A unit whose factor cannot be read is not taken: the list, the label and the result keep
// the unit chosen before.
TEST(UnitDialogWin, AUnitThatCannotBeReadLeavesTheEarlierUnit) {
  testing::TestProgram program(Ini());
  ASSERT_EQ(program.Text(IDC_RESULT_EDIT), "609.60 E-3");
  std::ofstream(program.state().dataPath, std::ios::binary | std::ios::trunc)
      << "[Length]\nfoot=0.3048\n[MULTIPLIERS]\nkilo=1000\nNo_Multiplier=1\n";
  LRESULT selected = -2;
  ASSERT_TRUE(testing::RunDialog(program.window(), WM_COMMAND, kInputButton, [&](HWND dialog) {
    Pick(dialog, IDC_UNIT_LIST, kMeter);  // no longer in the catalogue
    selected = SendDlgItemMessageA(dialog, IDC_UNIT_LIST, LB_GETCURSEL, 0, 0);
    Ok(dialog);
  }));
  EXPECT_EQ(selected, kFoot);
  EXPECT_EQ(program.Text(IDC_INPUT_LABEL_FIRST), "foot");
  EXPECT_EQ(program.Text(IDC_RESULT_EDIT), "609.60 E-3");
}

}  // namespace
}  // namespace quantora
