// The physical constant lookup dialog opened from the real main window.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "shell/help_win.h"
#include "app/window_test_support_win.h"
#include "resources/convert.h"

namespace quantora {
namespace {

using testing::RunDialog;
using testing::TestProgram;

const std::string kShippedFile = std::string(QUANTORA_SOURCE_DIR) + "/data/QACONST.TXT";

std::string ItemText(HWND dialog, int id) {
  char text[64] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

std::vector<std::string> Rows(HWND list) {
  std::vector<std::string> rows;
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::string row(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)), '\0');
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&row[0]));
    rows.push_back(row);
  }
  return rows;
}

void PressKey(HWND dialog, int controlId, WPARAM key) {
  testing::PressDialogKey(dialog, GetDlgItem(dialog, controlId), key);
}

class ConstantsDialog : public ::testing::Test {
 protected:
  void UseFile(const std::string& content) {
    path_ = program_.state().settingsPath + ".QACONST.TXT";
    std::ofstream(path_, std::ios::binary) << content;
    program_.state().constantsPath = path_;
  }
  void TearDown() override {
    if (!path_.empty()) DeleteFileA(path_.c_str());
  }
  TestProgram program_;
  std::string path_;
};

// The rows sorted under the headings; a double click changes nothing; OK, Cancel, Escape and
// Enter on a row each close the dialog.
TEST_F(ConstantsDialog, ShowsTheRowsSortedAndClosesByEveryButtonAndKey) {
  UseFile("Speed\t\t299792458\t\tm/s\n/ a remark\n /not a remark\nAvogadro\t\t6.022e23\t\t1/mol");
  const std::pair<const char*, std::function<void(HWND)>> ways[] = {
      {"OK", [](HWND d) { SendDlgItemMessageA(d, IDOK, BM_CLICK, 0, 0); }},
      {"Cancel", [](HWND d) { SendDlgItemMessageA(d, IDCANCEL, BM_CLICK, 0, 0); }},
      {"Escape", [](HWND d) { PressKey(d, IDC_CONSTANTS_LIST, VK_ESCAPE); }},
      {"Enter", [](HWND d) { PressKey(d, IDC_CONSTANTS_LIST, VK_RETURN); }},
  };
  for (const auto& way : ways) {
    std::string shown;
    std::vector<std::string> rows;
    bool openAfterDoubleClick = false;
    EXPECT_TRUE(RunDialog(program_.window(), IDM_LOOKUP_CONSTANT, [&](HWND dialog) {
      char caption[64] = "";
      GetWindowTextA(dialog, caption, sizeof caption);
      shown = std::string(caption) + "|" + ItemText(dialog, IDC_CONSTANTS_NAME_HEADING) + "|" +
              ItemText(dialog, IDC_CONSTANTS_VALUE_HEADING) + "|" +
              ItemText(dialog, IDC_CONSTANTS_UNITS_HEADING);
      HWND list = GetDlgItem(dialog, IDC_CONSTANTS_LIST);
      rows = Rows(list);
      SetFocus(list);
      SendMessageA(list, LB_SETCURSEL, 1, 0);
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CONSTANTS_LIST, LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(list));
      openAfterDoubleClick = IsWindowVisible(dialog) != FALSE;
      way.second(dialog);
    })) << way.first;
    EXPECT_TRUE(openAfterDoubleClick);
    EXPECT_EQ(shown, "Physical Constant Lookup Table|Name|Value|Units") << way.first;
    EXPECT_EQ(rows, (std::vector<std::string>{" /not a remark", "Avogadro\t\t6.022e23\t\t1/mol",
                                              "Speed\t\t299792458\t\tm/s"}));
  }
  EXPECT_EQ(program_.Text(IDC_VALUE_EDIT), "");
  EXPECT_TRUE(program_.reporter().messages.empty());
}

// Where the shipped rows stand in the list: the list box expands tabs to its default stops,
// names start at its left edge, values at the third stop and units at the sixth, so that each
// heading stands over its column. Every field must start on its column and end at least one
// average character short of the next (or of the list's right edge), in the dialog's own font.
// The list draws its text a pixel or two in from the tab origin, so a run of text that ends
// just short of a stop would be carried one stop further on screen: each run that a tab
// follows must end a few pixels clear of the stop it goes to.
TEST_F(ConstantsDialog, EveryShippedRowFitsItsColumnsUnderTheHeadings) {
  program_.state().constantsPath = kShippedFile;
  std::vector<std::string> failures;
  int rowCount = 0;
  ASSERT_TRUE(RunDialog(program_.window(), IDM_LOOKUP_CONSTANT, [&](HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_CONSTANTS_LIST);
    HDC dc = GetDC(list);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
    auto extent = [&](const std::string& text) {
      return static_cast<int>(LOWORD(
          GetTabbedTextExtentA(dc, text.c_str(), static_cast<int>(text.size()), 0, nullptr)));
    };
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int gap = metrics.tmAveCharWidth;
    constexpr int kClearance = 3;
    const int tab = extent("\t");
    RECT client{};
    GetClientRect(list, &client);
    const int bounds[4] = {0, 3 * tab, 6 * tab, static_cast<int>(client.right) - kClearance};
    const char* columnNames[3] = {"name", "value", "units"};

    const int headings[3] = {IDC_CONSTANTS_NAME_HEADING, IDC_CONSTANTS_VALUE_HEADING,
                             IDC_CONSTANTS_UNITS_HEADING};
    for (int k = 0; k < 3; ++k) {
      RECT r{};
      GetWindowRect(GetDlgItem(dialog, headings[k]), &r);
      MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&r), 2);
      if (r.left < bounds[k] || r.right > bounds[k + 1]) {
        failures.push_back(std::string("heading over the ") + columnNames[k] + " column");
      }
    }
    for (const std::string& row : Rows(list)) {
      ++rowCount;
      // Fields are separated by runs of tabs; blanks before a tab only pad the field.
      std::vector<std::pair<std::size_t, std::size_t>> fields;  // start, length without padding
      for (std::size_t start = 0; start < row.size();) {
        std::size_t end = row.find('\t', start);
        if (end == std::string::npos) end = row.size();
        const int runEnd = extent(row.substr(0, end));
        if (end < row.size() && (runEnd / tab + 1) * tab - runEnd < kClearance) {
          failures.push_back(row + ": text ends " + std::to_string(runEnd) + ", just short of a stop");
        }
        std::size_t last = end;
        while (last > start && row[last - 1] == ' ') --last;
        fields.push_back({start, last - start});
        start = row.find_first_not_of('\t', end);
        if (start == std::string::npos) break;
      }
      if (fields.size() != 3) {
        failures.push_back(row + ": " + std::to_string(fields.size()) + " fields");
        continue;
      }
      for (int k = 0; k < 3; ++k) {
        const int left = extent(row.substr(0, fields[k].first));
        const int right = extent(row.substr(0, fields[k].first + fields[k].second));
        if (left != bounds[k] || right + gap > bounds[k + 1]) {
          failures.push_back(row + ": " + columnNames[k] + " spans " + std::to_string(left) +
                             ".." + std::to_string(right) + ", its column " +
                             std::to_string(bounds[k]) + ".." + std::to_string(bounds[k + 1]));
        }
      }
    }
    SelectObject(dc, oldFont);
    ReleaseDC(list, dc);
    SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
  }));
  EXPECT_GE(rowCount, 67);
  for (const std::string& failure : failures) ADD_FAILURE() << failure;
}

// Ends any dialog of the thread that is still there when the timer fires.
int g_dialogsEnded = 0;
BOOL CALLBACK EndOneDialog(HWND window, LPARAM) {
  char cls[16] = "";
  GetClassNameA(window, cls, sizeof cls);
  if (std::string(cls) == "#32770") {
    ++g_dialogsEnded;
    EndDialog(window, 0);
  }
  return TRUE;
}
void CALLBACK EndDialogs(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), EndOneDialog, 0);
}

TEST_F(ConstantsDialog, AMissingFileGivesOneMessageAndNoDialog) {
  program_.state().constantsPath = program_.state().settingsPath + ".missing\\QACONST.TXT";
  g_dialogsEnded = 0;
  const UINT_PTR guard = SetTimer(nullptr, 0, 2000, EndDialogs);
  SendMessageA(program_.window(), WM_COMMAND, IDM_LOOKUP_CONSTANT, 0);
  KillTimer(nullptr, guard);
  EXPECT_EQ(g_dialogsEnded, 0);
  ASSERT_EQ(program_.reporter().messages.size(), 1u);
  EXPECT_EQ(program_.reporter().messages[0].text,
            "Cannot read the Quantora data file, \"QACONST.TXT\"!\rThis file must be present to "
            "view the physical constants.\r\rPlease run the setup program again.");
  EXPECT_EQ(program_.reporter().messages[0].title, "Quantora Error");
}

}  // namespace
}  // namespace quantora
