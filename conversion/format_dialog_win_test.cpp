// The Numeric Format dialog opened from the main window and acted on as a user does; what
// counts is what the main window shows when the dialog ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "resources/convert.h"
#include "testing/window_test_support_win.h"

namespace quantora {
namespace {

// There is no Cancel: Escape leaves the dialog open. A number typed into the digits edit is
// checked when the focus leaves it (by Enter, by OK, or by the close box, which leaves the
// focus in the edit), a refused one reported with its range; OK and the close box then redraw
// the main window in the new format, which keeps its old texts until then.
TEST(NumericFormatDialogWin, EveryWayOutAppliesTheTypedNumberFirst) {
  const struct {
    const char* typed;
    bool byEnter;  // Enter pressed on it
    bool byOk;     // OK, else the close box
    const char* result;
    bool refused;
  } cases[] = {
      {"3", false, true, "3.76 E3", false},
      {"3", false, false, "3.76 E3", false},
      {"0", true, true, "3.7630 E3", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.typed) + (c.byEnter ? " and Enter" : "") +
                 (c.byOk ? ", OK" : ", close"));
    // 12345.678 ft are 3762.9626544 m.
    testing::TestProgram p(
        testing::FeetToMetersIni("InputValue=12345.678\r\nInputValuePresent=TRUE\r\n"));
    std::string whileOpen;
    bool open = false;
    std::size_t refusedAtEnter = 0;
    ASSERT_TRUE(testing::RunDialog(p.window(), WM_COMMAND, IDM_NUMERIC_FORMAT, [&](HWND dialog) {
      HWND edit = GetDlgItem(dialog, IDC_DIGITS_EDIT);
      SetFocus(edit);
      testing::PressDialogKey(dialog, edit, VK_ESCAPE);
      SetWindowTextA(edit, c.typed);
      if (c.byEnter) testing::PressDialogKey(dialog, edit, VK_RETURN);
      refusedAtEnter = p.reporter().messages.size();
      open = IsWindowVisible(dialog) != FALSE;
      whileOpen = p.Text(IDC_RESULT_EDIT);
      if (c.byOk) {
        SendDlgItemMessageA(dialog, IDC_FORMAT_OK, BM_CLICK, 0, 0);
      } else {
        SendMessageA(dialog, WM_CLOSE, 0, 0);
      }
    }));
    EXPECT_TRUE(open);
    EXPECT_EQ(refusedAtEnter, c.byEnter && c.refused ? 1u : 0u);
    EXPECT_EQ(whileOpen, "3.7630 E3");
    EXPECT_EQ(p.Text(IDC_RESULT_EDIT), c.result);
    const auto& messages = p.reporter().messages;
    ASSERT_EQ(messages.size(), c.refused ? 1u : 0u);
    if (c.refused) {
      EXPECT_NE(messages[0].text.find("1 to 8"), std::string::npos) << messages[0].text;
    }
  }
}

}  // namespace
}  // namespace quantora
