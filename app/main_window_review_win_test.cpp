// Where the main window is saved at close, also when it is closed while minimised.
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

}  // namespace
}  // namespace quantora
