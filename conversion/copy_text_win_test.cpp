// Copy Result and Copy All on the real main window: what reaches the clipboard.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/window_test_support_win.h"
#include "resources/convert.h"

namespace quantora {
namespace {

// Slot 0 converts feet to meters and slot 3 seconds to minutes (Time is the fifth quantity of
// the test catalogue); the value 1 was committed before the last close.
std::string FeetPerSecondIni(bool multi) {
  std::string ini = testing::DefaultIni() + "[USER_PREFERENCES]\r\nMultiDimensional=" +
                    (multi ? "TRUE" : "FALSE") +
                    "\r\n[LAST_USED]\r\nInputValue=1\r\nInputValuePresent=TRUE\r\n"
                    "DimensionIndex0=0\r\nDimensionIndex3=4\r\n"
                    "InputUnitIndex0=1\r\nInputUnitMult0=0.3048\r\nInputUnitSelected0=TRUE\r\n"
                    "OutputUnitIndex0=0\r\nOutputUnitMult0=1\r\nOutputUnitSelected0=TRUE\r\n"
                    "InputUnitIndex3=0\r\nInputUnitMult3=1\r\nInputUnitSelected3=TRUE\r\n"
                    "OutputUnitIndex3=1\r\nOutputUnitMult3=60\r\nOutputUnitSelected3=TRUE\r\n";
  for (int slot : {1, 2, 4, 5}) ini += "DimensionIndex" + std::to_string(slot) + "=9999\r\n";
  for (int slot = 0; slot < 6; ++slot) {
    const std::string n = std::to_string(slot);
    ini += "InputUnitScalerIndex" + n + "=3\r\nOutputUnitScalerIndex" + n + "=3\r\n";
  }
  return ini;
}

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

TEST(CopyCommands, PutTheShownConversionOnTheClipboard) {
  const struct {
    bool multi;
    const char* result;
    const char* all;
  } cases[] = {
      {false, "304.80 E-3 meter", "1.0000 foot = 304.80 E-3 meter"},
      {true, "18.288  meter / minute", "1.0000  foot / second = 18.288  meter / minute"},
  };
  for (const auto& c : cases) {
    testing::TestProgram p(FeetPerSecondIni(c.multi));
    ASSERT_NE(p.window(), nullptr);
    EXPECT_EQ(CopyBy(p, IDM_COPY_RESULT), c.result);
    EXPECT_EQ(CopyBy(p, IDM_COPY_ALL), c.all);
    // What the field shows is copied, committed or not.
    SetDlgItemTextA(p.window(), IDC_VALUE_EDIT, "12 345");
    EXPECT_EQ(CopyBy(p, IDM_COPY_ALL).substr(0, 7), "12 345 ");
    EXPECT_TRUE(p.reporter().messages.empty());
  }
}

}  // namespace
}  // namespace quantora
