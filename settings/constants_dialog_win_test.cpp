// The physical constant lookup dialog opened from the real main window.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resources/convert.h"
#include "testing/window_test_support_win.h"

namespace quantora {
namespace {

// The list box expands tabs to its default stops: names start at its left edge, values at the
// third stop and units at the sixth, each under its heading, and the list shows whole rows. In
// the dialog's own font, every field of every shipped row must start on its column and end at
// least one average character short of the next (or of the list's right edge). The list draws
// its text a pixel or two in from the tab origin, so each run of text that a tab follows must
// end a few pixels clear of the stop it goes to, or it is carried one stop further on screen.
TEST(ConstantsDialog, EveryShippedRowFitsItsColumnsAndOnlyTheButtonsClose) {
  testing::TestProgram p;
  p.state().constantsPath = QUANTORA_SOURCE_DIR "/data/QACONST.TXT";
  std::vector<std::string> failures;
  LRESULT rowCount = 0;
  bool openAfterNotifications = false;
  ASSERT_TRUE(testing::RunDialog(p.window(), WM_COMMAND, IDM_LOOKUP_CONSTANT, [&](HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_CONSTANTS_LIST);
    HDC dc = GetDC(list);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
    auto extent = [&](const std::string& text) {
      return static_cast<int>(LOWORD(
          GetTabbedTextExtentA(dc, text.c_str(), static_cast<int>(text.size()), 0, nullptr)));
    };
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    constexpr int kClearance = 3;
    const int tab = extent("\t");
    RECT client{};
    GetClientRect(list, &client);
    const int bounds[4] = {0, 3 * tab, 6 * tab, static_cast<int>(client.right) - kClearance};
    RECT units{};
    GetWindowRect(GetDlgItem(dialog, IDC_CONSTANTS_UNITS_HEADING), &units);
    MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&units), 1);
    EXPECT_NEAR(units.left, bounds[2], 2) << "the Units heading stands over its column";
    EXPECT_EQ(client.bottom % SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 0) << "a row cut off";
    rowCount = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < rowCount; ++i) {
      std::string row(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)), '\0');
      SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&row[0]));
      // Fields are separated by runs of tabs; blanks before a tab only pad the field.
      int k = 0;
      for (std::size_t start = 0; start != std::string::npos; ++k) {
        const std::size_t end = std::min(row.find('\t', start), row.size());
        const int runEnd = extent(row.substr(0, end));
        if (end < row.size() && (runEnd / tab + 1) * tab - runEnd < kClearance) {
          failures.push_back(row + ": a run ends just short of a tab stop");
        }
        std::size_t last = end;
        while (last > start && row[last - 1] == ' ') --last;
        const int left = extent(row.substr(0, start));
        const int right = extent(row.substr(0, last));
        if (k > 2 || left != bounds[k] || right + metrics.tmAveCharWidth > bounds[k + 1]) {
          failures.push_back(row + ": field " + std::to_string(k) + " spans " +
                             std::to_string(left) + ".." + std::to_string(right));
        }
        start = row.find_first_not_of('\t', end);
      }
      if (k != 3) failures.push_back(row + ": " + std::to_string(k) + " fields");
    }
    ReleaseDC(list, dc);
    // A notification, of a button or of the list, closes nothing: only OK, Cancel or Escape.
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_SETFOCUS), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CONSTANTS_LIST, LBN_DBLCLK), 0);
    openAfterNotifications = IsWindowVisible(dialog) != FALSE;
    testing::PressDialogKey(dialog, list, VK_ESCAPE);
  }));
  EXPECT_TRUE(openAfterNotifications);
  EXPECT_GE(rowCount, 67);
  for (const std::string& failure : failures) ADD_FAILURE() << failure;
}

}  // namespace
}  // namespace quantora
