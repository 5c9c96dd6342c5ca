// What the close saves: the window's place, also when it is closed while minimised, and a
// value still being typed.
#include <gtest/gtest.h>

#include <string>

#include "app/window_test_support_win.h"
#include "resources/convert.h"

namespace quantora {
namespace {

using testing::TestProgram;

int SavedInt(const TestProgram& p, const char* key) {
  return static_cast<int>(GetPrivateProfileIntA("Window", key, -1, p.IniPath().c_str()));
}

TEST(MainWindowPlace, ClosingMinimisedSavesThePlaceItIsRestoredTo) {
  const struct Row {
    const char* what;
    bool minimise;
  } rows[] = {{"closed as it stands", false}, {"closed while minimised", true}};
  for (const Row& row : rows) {
    TestProgram p(testing::DefaultIni() + "[Window]\r\nnormleft=120\r\nnormtop=90\r\n");
    ASSERT_NE(p.window(), nullptr) << row.what;
    RECT shown{};
    GetWindowRect(p.window(), &shown);
    ASSERT_EQ(shown.left, 120) << row.what;
    ASSERT_EQ(shown.top, 90) << row.what;
    if (row.minimise) {
      ShowWindow(p.window(), SW_MINIMIZE);
      p.Pump();
      ASSERT_TRUE(IsIconic(p.window())) << row.what;
    }
    SendMessageA(p.window(), WM_COMMAND, IDM_EXIT, 0);
    p.Pump();
    ASSERT_TRUE(p.Closed()) << row.what;
    EXPECT_EQ(SavedInt(p, "normleft"), 120) << row.what;
    EXPECT_EQ(SavedInt(p, "normtop"), 90) << row.what;
    EXPECT_EQ(SavedInt(p, "normright"), shown.right) << row.what;
    EXPECT_EQ(SavedInt(p, "normbottom"), shown.bottom) << row.what;
  }
}

TEST(MainWindowClose, AValueStillBeingTypedIsCommittedBeforeTheSave) {
  const struct Row {
    const char* what;
    const char* typed;
    const char* saved;  // InputValue, or "" when nothing is committed
  } rows[] = {
      {"a new value", "42.5", "42.500000000"},
      {"the default value again", "1", ""},  // equal to InputValue: nothing to commit
  };
  for (const Row& row : rows) {
    TestProgram p;
    HWND edit = GetDlgItem(p.window(), IDC_VALUE_EDIT);
    SetFocus(edit);
    SetWindowTextA(edit, row.typed);
    SendMessageA(p.window(), WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
    p.Pump();
    ASSERT_TRUE(p.Closed()) << row.what;
    char saved[64] = {};
    GetPrivateProfileStringA("LAST_USED", "InputValue", "", saved, sizeof saved, p.IniPath().c_str());
    char present[16] = {};
    GetPrivateProfileStringA("LAST_USED", "InputValuePresent", "", present, sizeof present,
                             p.IniPath().c_str());
    if (*row.saved) {
      EXPECT_STREQ(saved, row.saved) << row.what;
      EXPECT_STREQ(present, "TRUE") << row.what;
    } else {
      EXPECT_STREQ(present, "FALSE") << row.what;
    }
  }
}

}  // namespace
}  // namespace quantora
