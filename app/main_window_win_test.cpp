// The real main window, created in the test process and driven with messages.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "resources/convert.h"
#include "settings/profile_store_win.h"
#include "testing/memory_profile_store_test_fake.h"
#include "testing/window_test_support_win.h"

namespace quantora {
namespace {

using testing::FeetToMetersIni;
using testing::TestProgram;

void TypeValue(TestProgram& p, const char* text) {
  SetFocus(GetDlgItem(p.window(), IDC_VALUE_EDIT));
  SetDlgItemTextA(p.window(), IDC_VALUE_EDIT, text);
}

void PressEnter(TestProgram& p) {
  SendDlgItemMessageA(p.window(), IDC_VALUE_EDIT, WM_KEYDOWN, VK_RETURN, 0);
  p.Pump();
}

void LeaveTheValue(TestProgram& p) {
  SetFocus(GetDlgItem(p.window(), IDC_RESULT_EDIT));
  p.Pump();
}

// The value edit shows a rounded echo of the value; neither leaving it nor Enter on it may put
// the rounded number in the value's place.
TEST(MainWindow, TheRoundedEchoNeverReplacesTheTypedValue) {
  TestProgram p(FeetToMetersIni());
  TypeValue(p, "10");
  LeaveTheValue(p);
  EXPECT_EQ(p.Text(IDC_RESULT_EDIT), "3.0480");
  TypeValue(p, "1234.5678");
  PressEnter(p);
  EXPECT_EQ(p.Text(IDC_VALUE_EDIT), "1.2346 E3");
  LeaveTheValue(p);
  PressEnter(p);  // on the echo as the program wrote it
  EXPECT_EQ(p.state().conversion.InputValue, 1234.5678);
  EXPECT_EQ(p.Text(IDC_RESULT_EDIT), "376.30");  // 1234.5678 ft, not 1234.6 ft
}

// The close, and the end of the session alike, save where the window stands (where it is
// restored to, when minimised) and a value still being typed, committed first; a value equal
// to the kept one commits nothing. A place saved on a monitor that is not there opens at the
// default place.
TEST(MainWindow, TheWindowOpensOnScreenAndTheCloseSavesItsPlaceAndTheTypedValue) {
  // What is done, the [Window] keys saved before, where the window opens, whether it is then
  // minimised, the value typed (if any), whether the session ends rather than the window
  // closes, the InputValue saved ("" when nothing is committed).
  const std::tuple<const char*, const char*, LONG, LONG, bool, const char*, bool, const char*>
      rows[] = {
          {"saved off screen, closed while minimised",
           "normleft=30000\r\nnormtop=20000\r\nnormright=30510\r\nnormbottom=20117\r\n", 10,
           10, true, nullptr, false, ""},
          {"a new value typed", "normleft=120\r\nnormtop=90\r\n", 120, 90, false, "42.5", false,
           "42.500000000"},
          {"the kept value typed again", "normleft=120\r\nnormtop=90\r\n", 120, 90, false, "1",
           false, ""},
          {"a new value typed, the session ends", "normleft=120\r\nnormtop=90\r\n", 120, 90,
           false, "42.5", true, "42.500000000"},
      };
  for (const auto& [what, place, left, top, minimise, typed, sessionEnds, saved] : rows) {
    SCOPED_TRACE(what);
    TestProgram p(FeetToMetersIni("", std::string("[Window]\r\n") + place));
    RECT shown{};
    GetWindowRect(p.window(), &shown);
    EXPECT_EQ(shown.left, left);
    EXPECT_EQ(shown.top, top);
    if (typed) TypeValue(p, typed);
    if (minimise) ShowWindow(p.window(), SW_MINIMIZE);
    p.Pump();
    SendMessageA(p.window(), sessionEnds ? WM_ENDSESSION : WM_SYSCOMMAND,
                 sessionEnds ? TRUE : SC_CLOSE, 0);
    if (sessionEnds) DestroyWindow(p.window());  // as the end of the process would
    p.Pump();
    ASSERT_EQ(p.window(), nullptr);
    const MemoryProfileStore file(p.ReadIni());
    EXPECT_EQ(file.GetString("LAST_USED", "InputValuePresent", ""), *saved ? "TRUE" : "FALSE");
    if (*saved) {
      EXPECT_EQ(file.GetString("LAST_USED", "InputValue", ""), saved);
    }
    EXPECT_EQ(file.GetString("Window", "normleft", ""), std::to_string(shown.left));
    EXPECT_EQ(file.GetString("Window", "normtop", ""), std::to_string(shown.top));
    EXPECT_EQ(file.GetString("Window", "normright", ""), std::to_string(shown.right));
    EXPECT_EQ(file.GetString("Window", "normbottom", ""), std::to_string(shown.bottom));
  }
}

// A taller caption and menu bar, as Windows 10 draws them, make the window taller; the client
// area the layout is planned in stays as it is under the standard metrics.
TEST(MainWindow, TheClientAreaDoesNotDependOnTheCaptionAndMenuBar) {
  NONCLIENTMETRICSA standard{};
  standard.cbSize = sizeof standard;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof standard, &standard, 0));
  NONCLIENTMETRICSA taller = standard;
  taller.iCaptionHeight += 9;
  taller.iMenuHeight += 6;
  RECT client[2] = {};
  for (int i : {0, 1}) {
    SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof standard, i ? &taller : &standard, 0);
    GetClientRect(TestProgram().window(), &client[i]);
  }
  SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof standard, &standard, 0);
  EXPECT_EQ(client[1].right, client[0].right);
  EXPECT_EQ(client[1].bottom, client[0].bottom);
}

// A failed start (here: no units data file) shows its message and ends without writing the
// settings file; the other failures take the same way out of the window.
TEST(MainWindow, AFailedStartEndsAndLeavesTheSettingsFileAlone) {
  TestProgram p(FeetToMetersIni(), "");
  EXPECT_EQ(p.window(), nullptr);
  EXPECT_EQ(p.reporter().messages.size(), 1u);
  EXPECT_EQ(p.ReadIni(), FeetToMetersIni());  // byte for byte
}

// When the session ends no message could be answered: a save that fails (here: another program
// keeps the file from being written) says nothing, and gives up soon.
TEST(MainWindow, AFailedSaveAtTheEndOfTheSessionSaysNothing) {
  TestProgram p(FeetToMetersIni());
  HANDLE held = CreateFileA(p.state().settingsPath.c_str(), GENERIC_READ, FILE_SHARE_READ,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  SendMessageA(p.window(), WM_ENDSESSION, TRUE, 0);
  CloseHandle(held);
  EXPECT_TRUE(p.reporter().messages.empty());
}

// Two copies of the program close at the same moment, each with a place, a value and a format
// of its own, while a virus scanner keeps looking at the settings file: it ends with the whole
// state of one of them. The copies are this test program, started twice more.
TEST(MainWindow, TwoCopiesClosingTogetherLeaveOneWholeState) {
  char copy[2] = "", path[MAX_PATH] = "";
  if (GetEnvironmentVariableA("QUANTORA_COPY", copy, 2) &&
      GetEnvironmentVariableA("QUANTORA_COPY_INI", path, MAX_PATH)) {
    TestProgram p;
    p.state().store = std::make_unique<WinProfileStore>(path);
    p.state().conversion.InputValue = p.state().format.SignificantDigits = copy[0] - '0';
    SetWindowPos(p.window(), nullptr, 100 * (copy[0] - '0'), 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ReleaseSemaphore(OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, "quantora-copies"), 1, nullptr);
    WaitForSingleObject(OpenEventA(SYNCHRONIZE, FALSE, "quantora-copies-close"), 30000);
    SendMessageA(p.window(), WM_CLOSE, 0, 0);
    return;
  }
  TestProgram host;  // its settings file is the one the copies save into
  const std::string settings = host.state().settingsPath, before = host.ReadIni();
  HANDLE ready = CreateSemaphoreA(nullptr, 0, 2, "quantora-copies");
  HANDLE close = CreateEventA(nullptr, TRUE, FALSE, "quantora-copies-close");
  SetEnvironmentVariableA("QUANTORA_COPY_INI", settings.c_str());
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string command = std::string("\"") + path + "\" --gtest_filter=MainWindow.TwoCopies*";
  std::vector<std::string> files;  // after copy 1 alone, copy 2 alone, both at once
  for (const std::string copies : {"1", "2", "12"}) {
    std::ofstream(settings, std::ios::binary) << before;
    ResetEvent(close);
    std::vector<HANDLE> processes;
    for (const char number : copies) {
      SetEnvironmentVariableA("QUANTORA_COPY", std::string(1, number).c_str());
      STARTUPINFOA startup{};
      startup.cb = sizeof startup;
      PROCESS_INFORMATION process{};
      ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &process));
      CloseHandle(process.hThread);
      processes.push_back(process.hProcess);
    }
    for (std::size_t i = 0; i < copies.size(); ++i) {
      ASSERT_EQ(WaitForSingleObject(ready, 60000), WAIT_OBJECT_0);
    }
    SetEvent(close);
    // While a copy saves alone, a virus scanner looks at the file again and again.
    for (DWORD start = GetTickCount(); copies.size() == 1 && GetTickCount() - start < 800;) {
      HANDLE held = CreateFileA(settings.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0);
      Sleep(15);
      CloseHandle(held);
      Sleep(5);
    }
    EXPECT_EQ(WaitForMultipleObjects(static_cast<DWORD>(processes.size()), processes.data(), TRUE,
                                     60000), WAIT_OBJECT_0);
    for (HANDLE process : processes) CloseHandle(process);
    files.push_back(host.ReadIni());
  }
  EXPECT_NE(files[0], files[1]);
  EXPECT_TRUE(files[2] == files[0] || files[2] == files[1]) << files[2];
  for (HANDLE handle : {ready, close}) CloseHandle(handle);
}

}  // namespace
}  // namespace quantora
