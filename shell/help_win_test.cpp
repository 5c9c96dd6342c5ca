// Help through each viewer the settings file chooses: F1 (the contents) and the result field's
// help, asked of the real main window, with the help files beside the program as setup
// installs them.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/window_test_support_win.h"
#include "shell/help_win.h"

namespace quantora {
namespace {

// What the viewer shows, within 20 seconds: the HTML Help viewer its title; the browser (the
// recorder of the prefix) the address it was given, from the web manual's folder on. Wine's
// WinHelp viewer ignores the program's requests but for the help on help: it is seen to run.
std::string Shown(const std::string& viewer) {
  std::string seen;
  for (int waited = 0; seen.empty() && waited < 20000; waited += 100, Sleep(100)) {
    char title[100] = "";
    if (HWND window = FindWindowA("HH Parent", nullptr)) GetWindowTextA(window, title, sizeof title);
    std::stringstream urls;
    urls << std::ifstream("C:\\quantora-browser.txt").rdbuf();
    const std::string url = urls.str();
    const std::size_t at = url.rfind("/manual/");
    seen = viewer == "winhelp"   ? (FindWindowA("MS_WINHELP", nullptr) ? "runs" : "")
           : viewer != "browser" ? title
           : at == std::string::npos ? "" : url.substr(at, url.find('\n') - at);
  }
  return seen;
}

TEST(HelpViewers, EachViewerTheSettingsChooseOpensTheTopicAsked) {
  const std::string recorder = QUANTORA_SOURCE_DIR "/help/viewer/record-url";
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers", REG_SZ,
                            recorder.c_str(), static_cast<DWORD>(recorder.size() + 1)), 0);
  ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, ".html", REG_SZ, "htmlfile", 8), 0);
  const char* rows[][3] = {  // the key's value, what F1 shows, what the result field's help shows
      {"", "Quantora Help", "Quantora Help"},
      {"htmlhelp", "Quantora Help", "Quantora Help"},
      {"browser", "/manual/index.html", "/manual/result.html"},
      {"winhelp", "runs", nullptr}};
  for (const auto& [viewer, contents, resultField] : rows) {
    DeleteFileA("C:\\quantora-browser.txt");
    testing::TestProgram program(testing::FeetToMetersIni(
        "", std::string("[USER_PREFERENCES]\r\nHelpViewer=") + viewer + "\r\n"));
    SendMessageA(program.window(), WM_COMMAND, IDM_HELP_CONTENTS, 0);
    EXPECT_EQ(Shown(viewer), contents) << viewer;
    WinHelpA(program.window(), "QUANTORA.HLP", HELP_QUIT, 0);
    CloseHelp();
    if (!resultField) continue;
    DeleteFileA("C:\\quantora-browser.txt");
    HELPINFO info{sizeof info, HELPINFO_WINDOW, IDC_RESULT_EDIT,
                  GetDlgItem(program.window(), IDC_RESULT_EDIT), 0, {0, 0}};
    SendMessageA(program.window(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(Shown(viewer), resultField) << viewer;
  }
  DeleteFileA("C:\\quantora-browser.txt");
  RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers");
}

}  // namespace
}  // namespace quantora
