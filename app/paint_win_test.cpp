// The main window's own drawing, rendered through WM_PRINTCLIENT into a memory bitmap and
// read back pixel by pixel around the controls as they stand.
#include <gtest/gtest.h>

#include "app/main_window_win.h"
#include "resources/convert.h"
#include "testing/window_test_support_win.h"

namespace quantora {
namespace {

// A control's rectangle in the main window's client coordinates.
RECT Of(HWND window, int id) {
  RECT r{};
  GetWindowRect(GetDlgItem(window, id), &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Multi-unit mode, which has the most to draw: every slot's frames and the fraction bars.
TEST(MainWindowPainting, EtchedLineFramesAndCaptions) {
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  testing::TestProgram p(
      testing::FeetToMetersIni("", "[USER_PREFERENCES]\r\nMultiDimensional=TRUE\r\n"));
  HWND window = p.window();
  // The client area as the window draws it itself, on a magenta background.
  RECT client;
  GetClientRect(window, &client);
  HDC screen = GetDC(window);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  ReleaseDC(window, screen);
  SelectObject(dc, bitmap);
  SetDCBrushColor(dc, RGB(255, 0, 255));
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  auto count = [&](COLORREF colour, const RECT& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == colour ? 1 : 0;
    }
    return n;
  };

  // The etched line under the menu bar runs the whole width.
  for (LONG x : {0L, client.right / 2, client.right - 1}) {
    EXPECT_EQ(GetPixel(dc, x, 0), shadow) << x;
    EXPECT_EQ(GetPixel(dc, x, 1), highlight) << x;
  }
  // The edits and every slot's labels sit in sunken frames: dark just above and left of the
  // control, light just below it.
  for (int slot = 0; slot < kSlotCount; ++slot) {
    for (int id : {IDC_INPUT_LABEL_FIRST + slot, IDC_OUTPUT_LABEL_FIRST + slot, IDC_VALUE_EDIT,
                   IDC_RESULT_EDIT}) {
      const RECT r = Of(window, id);
      const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
      EXPECT_EQ(GetPixel(dc, midX, r.top - 1), text) << id;
      EXPECT_EQ(GetPixel(dc, midX, r.top - 2), shadow) << id;
      EXPECT_EQ(GetPixel(dc, r.left - 1, midY), text) << id;
      EXPECT_EQ(GetPixel(dc, midX, r.bottom + 1), highlight) << id;
    }
  }
  // "value" is written under both edits.
  for (int id : {IDC_VALUE_EDIT, IDC_RESULT_EDIT}) {
    const RECT e = Of(window, id);
    EXPECT_GT(count(text, {e.left, e.bottom + 3, e.right, 2 * e.bottom + 3 - e.top}), 10) << id;
  }
  // A fraction bar between each numerator label and the denominator label below it.
  for (int numerator = 0; numerator < kSlotCount / 2; ++numerator) {
    for (int id : {IDC_INPUT_LABEL_FIRST + numerator, IDC_OUTPUT_LABEL_FIRST + numerator}) {
      const RECT top = Of(window, id);
      const RECT bottom = Of(window, id + kSlotCount / 2);
      const RECT between{top.left + 4, top.bottom + 3, top.right - 4, bottom.top - 3};
      EXPECT_GT(count(shadow, between), top.right - top.left - 16) << id;
    }
  }
  DeleteDC(dc);  // which lets the bitmap go
  DeleteObject(bitmap);
}

}  // namespace
}  // namespace quantora
