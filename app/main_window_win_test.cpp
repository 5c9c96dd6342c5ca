// The real main window, created in the test process and driven with messages.
#include <gtest/gtest.h>

#include "app/window_test_support_win.h"
#include "resources/convert.h"

namespace quantora {
namespace {

using testing::FeetToMetersIni;
using testing::TestProgram;

void TypeValue(TestProgram& p, const char* text) {
  SetFocus(GetDlgItem(p.window(), IDC_VALUE_EDIT));
  SetDlgItemTextA(p.window(), IDC_VALUE_EDIT, text);
}

void PressEnter(TestProgram& p) {
  SendDlgItemMessageA(p.window(), IDC_VALUE_EDIT, WM_KEYDOWN, VK_RETURN, 0);
  p.Pump();
}

void LeaveTheValue(TestProgram& p) {
  SetFocus(GetDlgItem(p.window(), IDC_RESULT_EDIT));
  p.Pump();
}

// The value edit shows a rounded echo of the value; neither leaving it nor Enter on it may put
// the rounded number in the value's place, now or at the next start.
TEST(MainWindow, TheRoundedEchoNeverReplacesTheTypedValue) {
  TestProgram p(FeetToMetersIni());
  TypeValue(p, "10");
  LeaveTheValue(p);
  EXPECT_EQ(p.Text(IDC_RESULT_EDIT), "3.0480");
  TypeValue(p, "1234.5678");
  PressEnter(p);
  EXPECT_EQ(p.Text(IDC_VALUE_EDIT), "1.2346 E3");
  LeaveTheValue(p);
  PressEnter(p);  // on the echo as the program wrote it
  EXPECT_EQ(p.state().conversion.InputValue, 1234.5678);
  EXPECT_EQ(p.Text(IDC_RESULT_EDIT), "376.30");  // 1234.5678 ft, not 1234.6 ft
  SendMessageA(p.window(), WM_COMMAND, IDM_EXIT, 0);
  p.Pump();
  EXPECT_NE(p.ReadIni().find("InputValue=1234.567800000"), std::string::npos) << p.ReadIni();
}

// The close saves where the window stands (where it is restored to, when minimised) and a
// value still being typed, committed first; a value equal to the kept one commits nothing. A
// place saved on a monitor that is not there opens at the default place.
TEST(MainWindow, TheWindowOpensOnScreenAndTheCloseSavesItsPlaceAndTheTypedValue) {
  const struct {
    const char* what;
    const char* place;
    LONG left, top;
    bool minimise;
    const char* typed;
    const char* saved;  // InputValue, or "" when nothing is committed
  } rows[] = {
      {"saved off screen",
       "normleft=30000\r\nnormtop=20000\r\nnormright=30510\r\nnormbottom=20117\r\n", 10, 10,
       false, nullptr, ""},
      {"a new value typed", "normleft=120\r\nnormtop=90\r\n", 120, 90, false, "42.5",
       "42.500000000"},
      {"the kept value typed again", "normleft=120\r\nnormtop=90\r\n", 120, 90, false, "1", ""},
      {"closed while minimised", "normleft=120\r\nnormtop=90\r\n", 120, 90, true, nullptr, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    TestProgram p(FeetToMetersIni("", std::string("[Window]\r\n") + row.place));
    RECT shown{};
    GetWindowRect(p.window(), &shown);
    EXPECT_EQ(shown.left, row.left);
    EXPECT_EQ(shown.top, row.top);
    if (row.typed) TypeValue(p, row.typed);
    if (row.minimise) ShowWindow(p.window(), SW_MINIMIZE);
    p.Pump();
    SendMessageA(p.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    p.Pump();
    ASSERT_TRUE(p.Closed());
    const std::string ini = p.IniPath();
    auto saved = [&](const char* section, const char* key) {
      char text[64] = {};
      GetPrivateProfileStringA(section, key, "", text, sizeof text, ini.c_str());
      return std::string(text);
    };
    EXPECT_EQ(saved("LAST_USED", "InputValuePresent"), *row.saved ? "TRUE" : "FALSE");
    if (*row.saved) {
      EXPECT_EQ(saved("LAST_USED", "InputValue"), row.saved);
    }
    EXPECT_EQ(saved("Window", "normleft"), std::to_string(shown.left));
    EXPECT_EQ(saved("Window", "normtop"), std::to_string(shown.top));
    EXPECT_EQ(saved("Window", "normright"), std::to_string(shown.right));
    EXPECT_EQ(saved("Window", "normbottom"), std::to_string(shown.bottom));
  }
}

// A failed start shows its message, ends, and leaves the settings file as it was (or absent).
TEST(MainWindow, AFailedStartEndsAndLeavesTheSettingsFileAlone) {
  const struct {
    const char* name;
    std::string ini;
    std::string catalogue;
  } cases[] = {
      {"no settings file", "", testing::DefaultCatalogue()},
      {"no units data file", FeetToMetersIni(), ""},
      {"no multipliers", FeetToMetersIni(), "[Length]\nmeter=1\n"},
  };
  for (const auto& c : cases) {
    TestProgram p(c.ini, c.catalogue);
    EXPECT_TRUE(p.Closed()) << c.name;
    EXPECT_EQ(p.reporter().messages.size(), 1u) << c.name;
    EXPECT_EQ(p.ReadIni(), c.ini) << c.name;  // byte for byte
    EXPECT_EQ(GetFileAttributesA(p.IniPath().c_str()) != INVALID_FILE_ATTRIBUTES, !c.ini.empty())
        << c.name;
  }
}

}  // namespace
}  // namespace quantora
