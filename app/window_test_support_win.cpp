#include "app/window_test_support_win.h"

#include <fstream>
#include <sstream>

#include "app/main_window_win.h"
#include "shell/help_win.h"
#include "resources/convert.h"

namespace quantora {
namespace testing {
namespace {

void WriteFileText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string FreshDirectory() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  static int counter = 0;
  std::string dir = std::string(temp) + "quantora-test-" + std::to_string(GetCurrentProcessId()) +
                    "-" + std::to_string(++counter);
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

void EnsureClassRegistered(HINSTANCE instance) {
  WNDCLASSA existing;
  if (!GetClassInfoA(instance, kMainWindowClass, &existing)) RegisterMainWindowClass(instance);
}

// The main window of the test program at hand: the accelerators go to it.
HWND g_mainWindow = nullptr;

// Runs one round of the program's loop without waiting; WM_QUIT of an ended window is dropped.
void DispatchPending() {
  static HACCEL accelerators =
      LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    HWND main = g_mainWindow && IsWindow(g_mainWindow) ? g_mainWindow : nullptr;
    if (main && TranslateAcceleratorA(main, accelerators, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Runs the loop until nothing is left to do: the queue stays empty over a few short waits
// (so that messages another message posts, and input on its way, are handled too), or at most
// milliseconds.
void PumpUntilIdle(int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  int quiet = 0;
  while (quiet < 3 && static_cast<LONG>(end - GetTickCount()) > 0) {
    DispatchPending();
    Sleep(1);
    quiet = GetQueueStatus(QS_ALLINPUT) == 0 ? quiet + 1 : 0;
  }
  DispatchPending();
}

}  // namespace

std::string DefaultIni() { return "[GENERAL]\r\nFilePresent=TRUE\r\n"; }

std::string DefaultCatalogue() {
  return "; test catalogue\n"
         "[Length]\n"
         "meter=1\n"
         "foot=0.3048\n"
         "inch=0.0254\n"
         "mile=1609.344\n"
         "[Area]\n"
         "Square ^meters=1\n"
         "Square ^feet=0.09290304\n"
         "acre=4046.8564224\n"
         "[Volume]\n"
         "Cubic ^meters=1\n"
         "liter=0.001\n"
         "[Temperature]\n"
         "Kelvin=1\n"
         "Celsius=1, 273.15\n"
         "Fahrenheit=0.55555555555555556, 459.67\n"
         "[Time]\n"
         "second=1\n"
         "minute=60\n"
         "hour=3600\n"
         "[MULTIPLIERS]\n"
         "mega=1000000\n"
         "kilo=1000\n"
         "hecto=100\n"
         "No_Multiplier=1\n"
         "centi=0.01\n"
         "milli=0.001\n";
}

std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TestProgram::TestProgram(const std::string& ini, const std::string& catalogue)
    : directory_(FreshDirectory()) {
  if (!ini.empty()) WriteFileText(IniPath(), ini);
  if (!catalogue.empty()) WriteFileText(directory_ + "\\QUANTORA.TXT", catalogue);
  state_.settingsPath = IniPath();
  state_.dataPath = directory_ + "\\QUANTORA.TXT";
  state_.reporterOverride = &reporter_;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  EnsureClassRegistered(instance);
  g_mainWindow = CreateMainWindow(instance, state_);
  // The layout is built on the start-up timer.
  PumpUntil([&] { return window() == nullptr || state_.valueEdit != nullptr; });
  PumpUntilIdle(1000);
}

TestProgram::~TestProgram() {
  if (HWND main = state_.mainWindow) DestroyWindow(main);
  PumpUntilIdle(100);
  g_mainWindow = nullptr;
  SetHelpHook(nullptr);
  DeleteFileA(IniPath().c_str());
  DeleteFileA((directory_ + "\\QUANTORA.TXT").c_str());
  RemoveDirectoryA(directory_.c_str());
}

HWND TestProgram::window() const { return state_.mainWindow; }

void TestProgram::Pump(int milliseconds) { PumpUntilIdle(milliseconds); }

void PressDialogKey(HWND dialog, HWND control, WPARAM key) {
  MSG msg = {};
  msg.hwnd = control;
  msg.message = WM_KEYDOWN;
  msg.wParam = key;
  msg.lParam = 1;
  IsDialogMessageA(dialog, &msg);
}

bool PumpUntil(const std::function<bool()>& done, int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  while (!done()) {
    if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
    DispatchPending();
    Sleep(1);
  }
  return true;
}

std::string TestProgram::Text(int controlId) const {
  char text[256] = {};
  GetDlgItemTextA(window(), controlId, text, sizeof text);
  return text;
}

std::string TestProgram::ReadIni() const { return ReadFileText(IniPath()); }

namespace {

struct DialogRun {
  HWND owner = nullptr;
  HWND dialog = nullptr;
  bool ran = false;
  const std::function<void(HWND)>* steps = nullptr;
  UINT_PTR timer = 0;
};
DialogRun* g_run = nullptr;

BOOL CALLBACK FindOwnedDialog(HWND candidate, LPARAM) {
  char cls[16] = {};
  GetClassNameA(candidate, cls, sizeof cls);
  if (std::string(cls) == "#32770" && IsWindowVisible(candidate) &&
      GetWindow(candidate, GW_OWNER) == g_run->owner) {
    g_run->dialog = candidate;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (g_run == nullptr || g_run->ran) return;
  if (g_run->dialog == nullptr) {
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog, 0);
    return;
  }
  // The dialog finishes its initialisation on a timer of its own: wait until it has none
  // left, which also holds for dialogs that never set one.
  MSG pending;
  if (PeekMessageA(&pending, g_run->dialog, WM_TIMER, WM_TIMER, PM_NOREMOVE)) return;
  KillTimer(nullptr, g_run->timer);
  g_run->ran = true;
  (*g_run->steps)(g_run->dialog);
}

}  // namespace

bool RunDialog(HWND mainWindow, int commandId, const std::function<void(HWND dialog)>& steps) {
  return RunDialogAfter(
      mainWindow,
      [&] { PostMessageA(mainWindow, WM_COMMAND, static_cast<WPARAM>(commandId), 0); }, steps);
}

bool RunDialogAfter(HWND mainWindow, const std::function<void()>& open,
                    const std::function<void(HWND dialog)>& steps) {
  DialogRun run;
  run.owner = mainWindow;
  run.steps = &steps;
  g_run = &run;
  run.timer = SetTimer(nullptr, 0, 20, StepTimer);
  open();
  const bool closed =
      PumpUntil([&] { return run.ran && (run.dialog == nullptr || !IsWindow(run.dialog)); }, 8000);
  if (!run.ran) KillTimer(nullptr, run.timer);
  if (!closed && run.dialog && IsWindow(run.dialog)) {
    EndDialog(run.dialog, 0);
    PumpUntilIdle(100);
  }
  g_run = nullptr;
  return run.ran && closed;
}

}  // namespace testing
}  // namespace quantora
