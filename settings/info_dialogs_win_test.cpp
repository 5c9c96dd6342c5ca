// The About, Support Information and Limit of Liability dialogs opened from the Help menu.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/window_test_support_win.h"
#include "resources/convert.h"

namespace quantora {
namespace {

// Each command opens its own dialog; a button's notification other than the click closes
// nothing, and OK or Escape close it.
TEST(InformationDialogsWin, EachCommandOpensItsDialogAndOkOrEscapeClosesIt) {
  const struct {
    int command;
    const char* caption;
  } dialogs[] = {{IDM_ABOUT, "About Quantora"},
                 {IDM_SUPPORT_INFO, "Support Information"},
                 {IDM_LIABILITY, "Limit Of Liability"}};
  testing::TestProgram program;
  for (const auto& d : dialogs) {
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
      SCOPED_TRACE(std::string(d.caption) + (key == VK_RETURN ? ", Enter" : ", Escape"));
      char caption[64] = "";
      bool openAfterNotification = false;
      EXPECT_TRUE(testing::RunDialog(program.window(), d.command, [&](HWND dialog) {
        GetWindowTextA(dialog, caption, sizeof caption);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_SETFOCUS), 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_KILLFOCUS), 0);
        openAfterNotification = IsWindowVisible(dialog) != FALSE;
        testing::PressDialogKey(dialog, GetFocus() ? GetFocus() : dialog, key);
      }));
      EXPECT_STREQ(caption, d.caption);
      EXPECT_TRUE(openAfterNotification);
    }
  }
  EXPECT_FALSE(program.Closed());
}

}  // namespace
}  // namespace quantora
