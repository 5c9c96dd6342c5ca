// The About, Support Information and Limit of Liability dialogs opened from the Help menu's
// commands in the real program, read back and closed every way a user can.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "shell/help_win.h"
#include "app/window_test_support_win.h"
#include "resources/convert.h"

namespace quantora {
namespace {

using testing::RunDialog;
using testing::TestProgram;

std::string ItemText(HWND dialog, int id) {
  char text[300] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

std::string Caption(HWND dialog) {
  char text[100] = "";
  GetWindowTextA(dialog, text, sizeof text);
  return text;
}

std::string StringResource(UINT id) {
  char text[250] = "";
  LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
  return text;
}

// The dialog manager's handling of a key pressed in the focused control.
void PressKey(HWND dialog, WPARAM key) {
  MSG msg = {};
  msg.hwnd = GetFocus() ? GetFocus() : dialog;
  msg.message = WM_KEYDOWN;
  msg.wParam = key;
  msg.lParam = 1;
  IsDialogMessageA(dialog, &msg);
}

const struct {
  int command;
  const char* caption;
} kDialogs[] = {{IDM_ABOUT, "About Quantora"},
                {IDM_SUPPORT_INFO, "Support Information"},
                {IDM_LIABILITY, "Limit Of Liability"}};

TEST(InformationDialogsWin, EachCommandOpensItsDialogAndEveryWayOutClosesIt) {
  const struct {
    const char* way;
    void (*close)(HWND dialog);
  } ways[] = {
      {"OK", [](HWND d) { SendDlgItemMessageA(d, IDOK, BM_CLICK, 0, 0); }},
      {"Enter", [](HWND d) { PressKey(d, VK_RETURN); }},
      {"Escape", [](HWND d) { PressKey(d, VK_ESCAPE); }},
      {"close box", [](HWND d) { SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      // The About box has no Cancel button: Escape and the close box stand for it there.
      {"Cancel", [](HWND d) {
         if (GetDlgItem(d, IDCANCEL)) SendDlgItemMessageA(d, IDCANCEL, BM_CLICK, 0, 0);
         else PressKey(d, VK_ESCAPE);
       }},
  };
  TestProgram program;
  for (const auto& d : kDialogs) {
    for (const auto& w : ways) {
      SCOPED_TRACE(std::string(d.caption) + ", closed by " + w.way);
      std::string caption;
      bool openAfterNotification = false;
      EXPECT_TRUE(RunDialog(program.window(), d.command, [&](HWND dialog) {
        caption = Caption(dialog);
        // A button's notification other than the click itself closes nothing.
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_SETFOCUS), 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_KILLFOCUS), 0);
        openAfterNotification = IsWindowVisible(dialog) != FALSE;
        w.close(dialog);
      }));
      EXPECT_EQ(caption, d.caption);
      EXPECT_TRUE(openAfterNotification);
    }
  }
  EXPECT_FALSE(program.Closed());
  EXPECT_TRUE(program.reporter().messages.empty());
}

TEST(InformationDialogsWin, AboutBoxShowsTheReleaseBesideTheLogoInsideItsFrame) {
  TestProgram program;
  std::string version, date;
  RECT logo = {}, frame = {};
  BITMAP picture = {};
  ASSERT_TRUE(RunDialog(program.window(), IDM_ABOUT, [&](HWND dialog) {
    version = ItemText(dialog, IDC_VERSION);
    date = ItemText(dialog, IDC_BUILD_DATE);
    HWND logoControl = GetDlgItem(dialog, -1);
    const HBITMAP bitmap = reinterpret_cast<HBITMAP>(
        SendMessageA(logoControl, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (bitmap) GetObjectA(bitmap, sizeof picture, &picture);
    GetWindowRect(logoControl, &logo);
    GetWindowRect(GetDlgItem(dialog, IDC_LOGO_FRAME), &frame);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  }));
  EXPECT_EQ(version, "Version 1.21");
  EXPECT_EQ(date, "May 15, 1997");
  EXPECT_EQ(picture.bmWidth, 241);
  EXPECT_EQ(picture.bmHeight, 65);
  EXPECT_TRUE(logo.left > frame.left && logo.top > frame.top && logo.right < frame.right &&
              logo.bottom < frame.bottom)
      << "logo " << logo.left << "," << logo.top << "-" << logo.right << "," << logo.bottom
      << " frame " << frame.left << "," << frame.top << "-" << frame.right << "," << frame.bottom;

}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "(clipboard busy)";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) text = p;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

TEST(InformationDialogsWin, SupportAddressesCanBeCopiedNotEditedAndTheLiabilityTextNamesTheMail) {
  TestProgram program;
  const int addresses[] = {IDC_WEB_ADDRESS, IDC_EMAIL_ADDRESS};
  std::map<int, std::string> shown, afterTyping, copied;
  ASSERT_TRUE(RunDialog(program.window(), IDM_SUPPORT_INFO, [&](HWND dialog) {
    for (int id : addresses) {
      shown[id] = ItemText(dialog, id);
      SendDlgItemMessageA(dialog, id, WM_CHAR, 'x', 1);
      SendDlgItemMessageA(dialog, id, WM_CHAR, VK_BACK, 1);
      afterTyping[id] = ItemText(dialog, id);
      SendDlgItemMessageA(dialog, id, EM_SETSEL, 0, -1);
      SendDlgItemMessageA(dialog, id, WM_COPY, 0, 0);
      copied[id] = ClipboardText();
    }
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  }));
  const std::map<int, std::string> fromStringTable = {
      {IDC_WEB_ADDRESS, StringResource(IDS_SUPPORT_WEB)},
      {IDC_EMAIL_ADDRESS, StringResource(IDS_SUPPORT_EMAIL)}};
  EXPECT_EQ(shown, fromStringTable);
  EXPECT_EQ(afterTyping, fromStringTable);
  EXPECT_EQ(copied, fromStringTable);
  EXPECT_NE(shown[IDC_EMAIL_ADDRESS].find('@'), std::string::npos);

  std::string report;
  ASSERT_TRUE(RunDialog(program.window(), IDM_LIABILITY, [&](HWND dialog) {
    report = ItemText(dialog, IDC_LIABILITY_REPORT);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  }));
  EXPECT_NE(report.find(" " + shown[IDC_EMAIL_ADDRESS]), std::string::npos) << report;
}

std::vector<HelpCall> g_helpCalls;

// The table a right click on one of the dialog's controls hands to the help viewer.
std::map<DWORD, DWORD> HelpTableOf(HWND mainWindow, int command, int controlId) {
  g_helpCalls.clear();
  SetHelpHook([](const HelpCall& call) { g_helpCalls.push_back(call); });
  RunDialog(mainWindow, command, [&](HWND dialog) {
    SendMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetDlgItem(dialog, controlId)),
                 MAKELPARAM(5, 5));
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  SetHelpHook(nullptr);
  std::map<DWORD, DWORD> table;
  if (g_helpCalls.size() != 1 || g_helpCalls[0].command != HELP_CONTEXTMENU) return {{~0u, 0}};
  const DWORD* pair = reinterpret_cast<const DWORD*>(g_helpCalls[0].data);
  for (; pair[0] != 0 || pair[1] != 0; pair += 2) table[pair[0]] = pair[1];
  return table;
}

TEST(InformationDialogsWin, HelpRequestsPassEachDialogsTable) {
  TestProgram program;
  // The About box has no topics; the others lead each control to its own.
  EXPECT_EQ(HelpTableOf(program.window(), IDM_ABOUT, IDOK), (std::map<DWORD, DWORD>{}));
  EXPECT_EQ(HelpTableOf(program.window(), IDM_SUPPORT_INFO, IDC_EMAIL_ADDRESS)[IDC_EMAIL_ADDRESS],
            static_cast<DWORD>(HC_SUPPORT_EMAIL));
  EXPECT_EQ(HelpTableOf(program.window(), IDM_SUPPORT_INFO, IDC_EMAIL_ADDRESS)[IDC_WEB_ADDRESS],
            static_cast<DWORD>(HC_SUPPORT_WEB));
  EXPECT_EQ(HelpTableOf(program.window(), IDM_LIABILITY, IDC_LIABILITY_AS_IS)[IDC_LIABILITY_AS_IS],
            static_cast<DWORD>(HC_LIABILITY));
}

}  // namespace
}  // namespace quantora
