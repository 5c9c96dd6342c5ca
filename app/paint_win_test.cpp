// The main window's own drawing, rendered through WM_PRINTCLIENT into a memory bitmap and
// read back pixel by pixel around the controls as they stand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "app/window_test_support_win.h"
#include "resources/convert.h"

namespace quantora {
namespace {

using testing::TestProgram;

constexpr COLORREF kUntouched = RGB(255, 0, 255);

// Slot 0 converts feet to meters; in multi-unit mode every slot shows a label.
std::string Ini(bool multi) {
  std::string ini = testing::DefaultIni() +
                    "[LAST_USED]\r\nDimensionIndex0=0\r\nInputUnitIndex0=1\r\n"
                    "InputUnitMult0=0.3048\r\nInputUnitSelected0=TRUE\r\nInputUnitScalerIndex0=3\r\n"
                    "OutputUnitIndex0=0\r\nOutputUnitMult0=1\r\nOutputUnitSelected0=TRUE\r\n"
                    "OutputUnitScalerIndex0=3\r\n";
  if (multi) ini += "[USER_PREFERENCES]\r\nMultiDimensional=TRUE\r\n";
  return ini;
}

// The client area as the window draws it itself, on a background of kUntouched.
class Rendering {
 public:
  explicit Rendering(HWND window) : window_(window) {
    GetClientRect(window, &client_);
    HDC screen = GetDC(window);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, client_.right, client_.bottom);
    ReleaseDC(window, screen);
    old_ = SelectObject(dc_, bitmap_);
    HBRUSH background = CreateSolidBrush(kUntouched);
    FillRect(dc_, &client_, background);
    DeleteObject(background);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
  }
  ~Rendering() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  int Width() const { return client_.right; }
  // A control's rectangle in client coordinates.
  RECT Of(int id) const {
    RECT r{};
    GetWindowRect(GetDlgItem(window_, id), &r);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  // How many pixels of colour lie in the rectangle.
  int Count(COLORREF colour, const RECT& r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == colour ? 1 : 0;
    }
    return n;
  }

 private:
  HWND window_;
  RECT client_{};
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

TEST(MainWindowPainting, EtchedLineFramesAndCaptionsInBothModes) {
  const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  for (bool multi : {false, true}) {
    TestProgram p(Ini(multi));
    ASSERT_NE(p.window(), nullptr);
    const Rendering shot(p.window());
    SCOPED_TRACE(multi ? "multi-unit mode" : "simple mode");

    // The etched line under the menu bar runs the whole width.
    for (int x : {0, shot.Width() / 2, shot.Width() - 1}) {
      EXPECT_EQ(shot.At(x, 0), shadow) << x;
      EXPECT_EQ(shot.At(x, 1), highlight) << x;
    }

    // The edits and every slot's labels sit in sunken frames: dark just above and left of
    // the control, light just below it.
    std::vector<int> framed = {IDC_VALUE_EDIT, IDC_RESULT_EDIT};
    for (int slot = 0; slot < (multi ? kSlotCount : 1); ++slot) {
      framed.push_back(IDC_INPUT_LABEL_FIRST + slot);
      framed.push_back(IDC_OUTPUT_LABEL_FIRST + slot);
    }
    for (int id : framed) {
      const RECT r = shot.Of(id);
      const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
      EXPECT_EQ(shot.At(midX, r.top - 1), text) << id;
      EXPECT_EQ(shot.At(midX, r.top - 2), shadow) << id;
      EXPECT_EQ(shot.At(r.left - 1, midY), text) << id;
      EXPECT_EQ(shot.At(midX, r.bottom + 1), highlight) << id;
    }

    // "value" is written under both edits.
    for (int id : {IDC_VALUE_EDIT, IDC_RESULT_EDIT}) {
      const RECT edit = shot.Of(id);
      const RECT under{edit.left, edit.bottom + 3, edit.right, edit.bottom + 3 + edit.bottom - edit.top};
      EXPECT_GT(shot.Count(text, under), 10) << id;
    }

    if (multi) {
      // A fraction bar between each numerator label and the denominator label below it.
      for (int column = 0; column < kSlotCount / 2; ++column) {
        const RECT top = shot.Of(IDC_INPUT_LABEL_FIRST + column);
        const RECT bottom = shot.Of(IDC_INPUT_LABEL_FIRST + column + kSlotCount / 2);
        const RECT between{top.left + 4, top.bottom + 3, top.right - 4, bottom.top - 3};
        EXPECT_GT(shot.Count(shadow, between), top.right - top.left - 16) << column;
      }
    } else {
      // "=" between the two frames, level with the labels.
      const RECT from = shot.Of(IDC_FRAME_FROM), to = shot.Of(IDC_FRAME_TO);
      const RECT label = shot.Of(IDC_OUTPUT_LABEL_FIRST);
      const RECT gap{from.right, label.top - 4, to.left, label.bottom + 4};
      EXPECT_GT(shot.Count(text, gap), 3);
    }
  }
}

}  // namespace
}  // namespace quantora
