// The physical constant lookup dialog opened from the real main window.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/program_win.h"
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
  MSG msg = {};
  msg.hwnd = GetDlgItem(dialog, controlId);
  msg.message = WM_KEYDOWN;
  msg.wParam = key;
  msg.lParam = 1;
  IsDialogMessageA(dialog, &msg);
}

class ConstantsDialog : public ::testing::Test {
 protected:
  void UseFile(const std::string& content) {
    path_ = TheProgram().settingsPath + ".QACONST.TXT";
    std::ofstream(path_, std::ios::binary) << content;
    TheProgram().constantsPath = path_;
  }
  void TearDown() override {
    if (!path_.empty()) DeleteFileA(path_.c_str());
  }
  TestProgram program_;
  std::string path_;
};

TEST_F(ConstantsDialog, ShowsTheFilesRowsSortedUnderItsHeadings) {
  UseFile("Speed of light\t\t299792458\t\tm/s\n/ a remark\n /not a remark\nAvogadro\t\t6.022e23\t\t1/mol");
  std::string caption, headings;
  std::vector<std::string> rows;
  ASSERT_TRUE(RunDialog(program_.window(), IDM_LOOKUP_CONSTANT, [&](HWND dialog) {
    char text[64] = "";
    GetWindowTextA(dialog, text, sizeof text);
    caption = text;
    headings = ItemText(dialog, IDC_CONSTANTS_NAME_HEADING) + "|" +
               ItemText(dialog, IDC_CONSTANTS_VALUE_HEADING) + "|" +
               ItemText(dialog, IDC_CONSTANTS_UNITS_HEADING);
    rows = Rows(GetDlgItem(dialog, IDC_CONSTANTS_LIST));
    SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
  }));
  EXPECT_EQ(caption, "Physical Constant Lookup Table");
  EXPECT_EQ(headings, "Name|Value|Units");
  EXPECT_EQ(rows, (std::vector<std::string>{" /not a remark", "Avogadro\t\t6.022e23\t\t1/mol",
                                            "Speed of light\t\t299792458\t\tm/s"}));
  EXPECT_TRUE(program_.reporter().messages.empty());
}

TEST_F(ConstantsDialog, OkCancelEscapeAndEnterCloseAndARowChangesNothing) {
  UseFile("a\t\t1\t\tm\nb\t\t2\t\ts\n");
  const std::vector<std::pair<const char*, std::function<void(HWND)>>> ways = {
      {"OK", [](HWND d) { SendDlgItemMessageA(d, IDOK, BM_CLICK, 0, 0); }},
      {"Cancel", [](HWND d) { SendDlgItemMessageA(d, IDCANCEL, BM_CLICK, 0, 0); }},
      {"Escape", [](HWND d) { PressKey(d, IDC_CONSTANTS_LIST, VK_ESCAPE); }},
      {"Enter on a row", [](HWND d) {
         SetFocus(GetDlgItem(d, IDC_CONSTANTS_LIST));
         SendDlgItemMessageA(d, IDC_CONSTANTS_LIST, LB_SETCURSEL, 1, 0);
         PressKey(d, IDC_CONSTANTS_LIST, VK_RETURN);
       }},
  };
  for (const auto& way : ways) {
    bool openAfterDoubleClick = false;
    EXPECT_TRUE(RunDialog(program_.window(), IDM_LOOKUP_CONSTANT, [&](HWND dialog) {
      SendDlgItemMessageA(dialog, IDC_CONSTANTS_LIST, LB_SETCURSEL, 0, 0);
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CONSTANTS_LIST, LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_CONSTANTS_LIST)));
      openAfterDoubleClick = IsWindow(dialog) != FALSE;
      way.second(dialog);
    })) << way.first;
    EXPECT_TRUE(openAfterDoubleClick) << way.first;
  }
  EXPECT_EQ(program_.Text(IDC_VALUE_EDIT), "");
  EXPECT_EQ(program_.Text(IDC_RESULT_EDIT), "");
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
  TheProgram().constantsPath = TheProgram().settingsPath + ".missing\\QACONST.TXT";
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
