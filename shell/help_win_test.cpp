// Help through each viewer the settings file chooses, asked of the real main window with the
// help files beside the program as setup installs them.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "testing/window_test_support_win.h"

// What the viewer shows, within 20 seconds: the HTML Help viewer its title; the browser (the
// prefix's is the recorder) the address it was given, from the web manual's folder on. Wine's
// WinHelp viewer ignores the program's requests but for the help on help: it is seen to run.
static std::string Shown(const std::string& viewer) {
  std::string seen;
  for (int waited = 0; seen.empty() && waited < 20000; waited += 100, Sleep(100)) {
    char title[100] = "";
    if (HWND w = FindWindowA("HH Parent", nullptr)) GetWindowTextA(w, title, sizeof title);
    std::string url;
    std::getline(std::ifstream("C:\\quantora-browser.txt"), url);
    const std::size_t at = url.rfind("/manual/");
    seen = viewer == "winhelp"    ? (FindWindowA("MS_WINHELP", nullptr) ? "runs" : "")
           : viewer == "htmlhelp" ? title
                                  : url.substr(at == std::string::npos ? url.size() : at);
  }
  return seen;
}

// No key is the default: under Wine the browser, reached through winebrowser.exe in a prefix
// that, like a user's new one, gives web pages no association. The second browser row asks for
// the result field's help, the others press F1.
TEST(HelpViewers, EachViewerTheSettingsChooseOpensTheTopicAsked) {
  const std::string recorder = QUANTORA_SOURCE_DIR "/help/viewer/record-url";
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers", REG_SZ,
                            recorder.c_str(), static_cast<DWORD>(recorder.size() + 1)), 0);
  RegDeleteTreeA(HKEY_CLASSES_ROOT, ".html");
  const char* rows[][2] = {{"", "/manual/index.html"}, {"htmlhelp", "Quantora Help"},
                           {"browser", "/manual/index.html"}, {"browser", "/manual/result.html"},
                           {"winhelp", "runs"}};
  for (const auto& [viewer, shown] : rows) {
    DeleteFileA("C:\\quantora-browser.txt");
    quantora::testing::TestProgram program(quantora::testing::FeetToMetersIni(
        "", std::string("[USER_PREFERENCES]\r\nHelpViewer=") + viewer + "\r\n"));
    HWND result = GetDlgItem(program.window(), IDC_RESULT_EDIT);
    HELPINFO info{sizeof info, HELPINFO_WINDOW, IDC_RESULT_EDIT, result, 0, {0, 0}};
    const bool field = shown == rows[3][1];
    SendMessageA(program.window(), field ? WM_HELP : WM_COMMAND, field ? 0 : IDM_HELP_CONTENTS,
                 field ? LPARAM(&info) : 0);
    EXPECT_EQ(Shown(viewer), shown) << viewer;
  }
  WinHelpA(nullptr, "QUANTORA.HLP", HELP_QUIT, 0);
  DeleteFileA("C:\\quantora-browser.txt");
  RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers");
}
