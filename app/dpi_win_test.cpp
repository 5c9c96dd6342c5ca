// The main window at the display's DPI (the test prefixes run at 96, 120, 144 and 192), and
// moved to a monitor of another DPI.
#include <gtest/gtest.h>

#include "app/layout.h"
#include "resources/convert.h"
#include "testing/window_test_support_win.h"

namespace quantora {
namespace {

TEXTMETRICA FontOf(HWND control) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return metrics;
}

RECT Client(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return r;
}

// The client area is the designed one in character cells of the edits' own font, less the
// designed frame scaled; every edit is a text line and a half tall in that font.
TEST(MainWindowDpi, TheClientAreaAndTheControlsFollowTheFontOfTheDisplaysDpi) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  for (const char* mode : {"FALSE", "TRUE"}) {
    testing::TestProgram p(testing::FeetToMetersIni(
        "", std::string("[USER_PREFERENCES]\r\nMultiDimensional=") + mode + "\r\n"));
    const TEXTMETRICA font = FontOf(GetDlgItem(p.window(), IDC_VALUE_EDIT));
    const WindowSize cells = MainWindowSize(mode[0] == 'T', font.tmAveCharWidth,
                                            font.tmHeight + font.tmExternalLeading);
    const RECT client = Client(p.window());
    EXPECT_EQ(client.right, cells.width - ScalePixels(6, dpi)) << mode << " at " << dpi;
    EXPECT_EQ(client.bottom, cells.height - ScalePixels(44, dpi)) << mode << " at " << dpi;
    for (int id : {IDC_VALUE_EDIT, IDC_RESULT_EDIT, IDC_INPUT_LABEL_FIRST, IDC_OUTPUT_LABEL_FIRST}) {
      EXPECT_EQ(FontOf(GetDlgItem(p.window(), id)).tmHeight, font.tmHeight) << id;
      EXPECT_EQ(Client(GetDlgItem(p.window(), id)).bottom, 11 * font.tmHeight / 8) << id;
    }
  }
}

// Moved onto a monitor of another DPI, the window stands where Windows suggests, is laid out at
// that DPI in a font of its own, and keeps what it showed and what the user was typing.
TEST(MainWindowDpi, AChangeOfDpiLaysTheWindowOutAgainAndKeepsItsTexts) {
  testing::TestProgram p;
  HWND window = p.window();
  const int before = FontOf(GetDlgItem(window, IDC_VALUE_EDIT)).tmHeight;
  SetDlgItemTextA(window, IDC_VALUE_EDIT, "12.5");
  const std::string result = p.Text(IDC_RESULT_EDIT), label = p.Text(IDC_OUTPUT_LABEL_FIRST);
  const int dpi = p.state().Dpi == 192 ? 120 : 192;
  RECT suggested{40, 30, 640, 230};
  SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  p.Pump();
  RECT now{};
  GetWindowRect(window, &now);
  EXPECT_EQ(now.left, 40);
  EXPECT_EQ(now.top, 30);
  RECT button = Client(GetDlgItem(window, IDC_INPUT_UNIT_BUTTON_FIRST));
  EXPECT_EQ(button.right, ScalePixels(kUnitButtonWidth, dpi));
  EXPECT_EQ(FontOf(GetDlgItem(window, IDC_VALUE_EDIT)).tmHeight > before, dpi == 192);
  EXPECT_EQ(p.Text(IDC_VALUE_EDIT), "12.5");
  EXPECT_EQ(p.Text(IDC_RESULT_EDIT), result);
  EXPECT_EQ(p.Text(IDC_OUTPUT_LABEL_FIRST), label);
}

}  // namespace
}  // namespace quantora
