// The main window at the display's DPI (the DPI tests run it at 120, 144 and 192 as well as at
// 96), and moved to a monitor of another DPI.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/layout.h"
#include "resources/convert.h"
#include "testing/window_test_support_win.h"

namespace quantora {
namespace {

RECT Client(HWND window) { RECT r{}; GetClientRect(window, &r); return r; }

// The client area is the designed one in character cells of the window's font, less the
// designed frame scaled; the font grows with the DPI, and the labels use it too, as the About
// box's logo grows with its dialog. Moved onto a monitor of another DPI, the window stands where
// Windows suggests, is laid out at that DPI, and keeps what it showed and what was being typed.
TEST(MainWindowDpi, TheWindowFollowsTheDisplaysDpiAndAChangeOfIt) {
  for (const char* mode : {"FALSE", "TRUE"}) {
    testing::TestProgram p(testing::FeetToMetersIni(
        "", std::string("[USER_PREFERENCES]\r\nMultiDimensional=") + mode + "\r\n"));
    const MainWindowState& s = p.state();
    const char* prefixDpi = std::getenv("QUANTORA_TEST_DPI");
    EXPECT_EQ(s.Dpi, prefixDpi ? std::atoi(prefixDpi) : s.Dpi);
    const WindowSize cells = MainWindowSize(*mode == 'T', s.CharWidth, s.CharHeight);
    EXPECT_EQ(Client(p.window()).right, cells.width - ScalePixels(6, s.Dpi)) << mode << s.Dpi;
    EXPECT_EQ(Client(p.window()).bottom, cells.height - ScalePixels(44, s.Dpi)) << mode << s.Dpi;
    EXPECT_GE(s.CharHeight * 96, 11 * s.Dpi);
    EXPECT_EQ(SendDlgItemMessageA(p.window(), IDC_OUTPUT_LABEL_FIRST, WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(s.Font()));
    EXPECT_TRUE(testing::RunDialog(p.window(), WM_COMMAND, IDM_ABOUT, [&](HWND dialog) {
      EXPECT_EQ(Client(GetDlgItem(dialog, IDC_ABOUT_LOGO)).right, ScalePixels(241, s.Dpi));
      EndDialog(dialog, 0);
    }));

    SetDlgItemTextA(p.window(), IDC_VALUE_EDIT, "12.5");
    const std::string texts = "12.5" + p.Text(IDC_RESULT_EDIT) + p.Text(IDC_OUTPUT_LABEL_FIRST);
    const int dpi = s.Dpi == 192 ? 120 : 192;
    RECT suggested{40, 30, 640, 230}, now{};
    SendMessageA(p.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    p.Pump();
    GetWindowRect(p.window(), &now);
    EXPECT_EQ(now.left * 1000 + now.top, 40030);
    EXPECT_EQ(Client(GetDlgItem(p.window(), IDC_INPUT_UNIT_BUTTON_FIRST)).right, dpi * 13 / 96);
    EXPECT_EQ("" + p.Text(IDC_VALUE_EDIT) + p.Text(IDC_RESULT_EDIT) +
                  p.Text(IDC_OUTPUT_LABEL_FIRST), texts);
  }
}

}  // namespace
}  // namespace quantora
