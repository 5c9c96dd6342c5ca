// The real main window, created in the test process and driven with messages.
#include <gtest/gtest.h>

#include <tuple>

#include "resources/convert.h"
#include "testing/memory_profile_store_test_fake.h"
#include "testing/window_test_support_win.h"

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
// the rounded number in the value's place.
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
}

// The close saves where the window stands (where it is restored to, when minimised) and a
// value still being typed, committed first; a value equal to the kept one commits nothing. A
// place saved on a monitor that is not there opens at the default place.
TEST(MainWindow, TheWindowOpensOnScreenAndTheCloseSavesItsPlaceAndTheTypedValue) {
  // What is done, the [Window] keys saved before, where the window opens, whether it is then
  // minimised, the value typed (if any), the InputValue saved ("" when nothing is committed).
  const std::tuple<const char*, const char*, LONG, LONG, bool, const char*, const char*> rows[] = {
      {"saved off screen, closed while minimised",
       "normleft=30000\r\nnormtop=20000\r\nnormright=30510\r\nnormbottom=20117\r\n", 10, 10,
       true, nullptr, ""},
      {"a new value typed", "normleft=120\r\nnormtop=90\r\n", 120, 90, false, "42.5",
       "42.500000000"},
      {"the kept value typed again", "normleft=120\r\nnormtop=90\r\n", 120, 90, false, "1", ""},
  };
  for (const auto& [what, place, left, top, minimise, typed, saved] : rows) {
    SCOPED_TRACE(what);
    TestProgram p(FeetToMetersIni("", std::string("[Window]\r\n") + place));
    RECT shown{};
    GetWindowRect(p.window(), &shown);
    EXPECT_EQ(shown.left, left);
    EXPECT_EQ(shown.top, top);
    if (typed) TypeValue(p, typed);
    if (minimise) ShowWindow(p.window(), SW_MINIMIZE);
    p.Pump();
    SendMessageA(p.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    p.Pump();
    ASSERT_EQ(p.window(), nullptr);
    const MemoryProfileStore file(p.ReadIni());
    EXPECT_EQ(file.GetString("LAST_USED", "InputValuePresent", ""), *saved ? "TRUE" : "FALSE");
    if (*saved) {
      EXPECT_EQ(file.GetString("LAST_USED", "InputValue", ""), saved);
    }
    EXPECT_EQ(file.GetString("Window", "normleft", ""), std::to_string(shown.left));
    EXPECT_EQ(file.GetString("Window", "normtop", ""), std::to_string(shown.top));
    EXPECT_EQ(file.GetString("Window", "normright", ""), std::to_string(shown.right));
    EXPECT_EQ(file.GetString("Window", "normbottom", ""), std::to_string(shown.bottom));
  }
}

// A taller caption and menu bar, as Windows 10 draws them, make the window taller; the client
// area the layout is planned in stays as it is under the standard metrics.
TEST(MainWindow, TheClientAreaDoesNotDependOnTheCaptionAndMenuBar) {
  NONCLIENTMETRICSA standard{};
  standard.cbSize = sizeof standard;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof standard, &standard, 0));
  NONCLIENTMETRICSA taller = standard;
  taller.iCaptionHeight += 9;
  taller.iMenuHeight += 6;
  RECT client[2] = {};
  for (int i : {0, 1}) {
    SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof standard, i ? &taller : &standard, 0);
    GetClientRect(TestProgram().window(), &client[i]);
  }
  SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof standard, &standard, 0);
  EXPECT_EQ(client[1].right, client[0].right);
  EXPECT_EQ(client[1].bottom, client[0].bottom);
}

// A failed start (here: no units data file) shows its message and ends without writing the
// settings file; the other failures take the same way out of the window.
TEST(MainWindow, AFailedStartEndsAndLeavesTheSettingsFileAlone) {
  TestProgram p(FeetToMetersIni(), "");
  EXPECT_EQ(p.window(), nullptr);
  EXPECT_EQ(p.reporter().messages.size(), 1u);
  EXPECT_EQ(p.ReadIni(), FeetToMetersIni());  // byte for byte
}

}  // namespace
}  // namespace quantora
