// Copy Result and Copy All on the real main window: what reaches the clipboard.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>

#include "resources/convert.h"
#include "testing/window_test_support_win.h"

namespace quantora {
namespace {

std::string CopyBy(testing::TestProgram& p, int command) {
  PostMessageA(p.window(), WM_COMMAND, static_cast<WPARAM>(command), 0);
  p.Pump();
  std::string text = "<clipboard not readable>";
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) text = bytes;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// Slot 0 converts feet to kilometers and slot 3 seconds to hours; the value 1 was committed.
TEST(CopyCommands, PutTheShownConversionOnTheClipboard) {
  // MultiDimensional, what Copy Result and Copy All put on the clipboard.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"FALSE", "304.80 E-6 kilometer", "1.0000 foot = 304.80 E-6 kilometer"},
      {"TRUE", "1.0973  kilometer / hour", "1.0000  foot / second = 1.0973  kilometer / hour"},
  };
  for (const auto& [mode, result, all] : cases) {
    testing::TestProgram p(testing::FeetToMetersIni(
        "InputValue=1\r\nInputValuePresent=TRUE\r\nOutputUnitScalerIndex0=1\r\n"
        "DimensionIndex3=4\r\nInputUnitIndex3=0\r\nInputUnitMult3=1\r\nInputUnitSelected3=TRUE\r\n"
        "OutputUnitIndex3=1\r\nOutputUnitMult3=3600\r\nOutputUnitSelected3=TRUE\r\n",
        std::string("[USER_PREFERENCES]\r\nMultiDimensional=") + mode + "\r\n"));
    EXPECT_EQ(CopyBy(p, IDM_COPY_RESULT), result);
    EXPECT_EQ(CopyBy(p, IDM_COPY_ALL), all);
    // What the field shows is copied, committed or not.
    SetDlgItemTextA(p.window(), IDC_VALUE_EDIT, "12 345");
    EXPECT_EQ(CopyBy(p, IDM_COPY_ALL).substr(0, 7), "12 345 ");
    EXPECT_TRUE(p.reporter().messages.empty());
  }
}

// Feet per second into meters, the output's "per hour" not chosen: the meter would stand for
// meters per second, so no result is shown and neither copy is offered.
TEST(CopyCommands, AHalfChosenCompoundShowsNoResultAndOffersNoCopy) {
  testing::TestProgram p(testing::FeetToMetersIni(
      "InputValue=1\r\nInputValuePresent=TRUE\r\nDimensionIndex3=4\r\nInputUnitSelected3=TRUE\r\n",
      "[USER_PREFERENCES]\r\nMultiDimensional=TRUE\r\n"));
  HMENU edit = GetSubMenu(GetMenu(p.window()), 1);
  SendMessageA(p.window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
  EXPECT_EQ(p.Text(IDC_RESULT_EDIT), "");
  for (UINT id : {IDM_COPY_RESULT, IDM_COPY_ALL})
    EXPECT_TRUE(GetMenuState(edit, id, MF_BYCOMMAND) & MF_GRAYED) << id;
}

}  // namespace
}  // namespace quantora
