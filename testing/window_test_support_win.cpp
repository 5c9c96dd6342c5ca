#include "testing/window_test_support_win.h"

#include <fstream>
#include <iterator>

#include "app/main_window_win.h"
#include "resources/convert.h"

namespace quantora {
namespace testing {
namespace {

// Runs one round of a message loop without waiting; WM_QUIT of an ended window is dropped.
void DispatchPending() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Processes messages as the program's loop does until done() holds; false on a time-out.
bool PumpUntil(const std::function<bool()>& done, int milliseconds = 5000) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  while (!done()) {
    if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
    DispatchPending();
    Sleep(1);
  }
  return true;
}

}  // namespace

std::string FeetToMetersIni(const std::string& lastUsed, const std::string& sections) {
  std::string ini = "[GENERAL]\r\nFilePresent=TRUE\r\n[LAST_USED]\r\n" + lastUsed;
  ini += "DimensionIndex0=0\r\nInputUnitIndex0=1\r\nInputUnitMult0=0.3048\r\n"
         "InputUnitSelected0=TRUE\r\nOutputUnitIndex0=0\r\nOutputUnitMult0=1\r\n"
         "OutputUnitSelected0=TRUE\r\n";
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::string n = std::to_string(slot);
    ini += "DimensionIndex" + n + "=9999\r\n";
    ini += "InputUnitScalerIndex" + n + "=2\r\nOutputUnitScalerIndex" + n + "=2\r\n";
  }
  return ini + sections;
}

TestProgram::TestProgram(const std::string& ini, const std::string& dataFile,
                         const std::string& commandLine) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  static int counter = 0;
  directory_ = std::string(temp) + "quantora-test-" + std::to_string(GetCurrentProcessId()) +
               "-" + std::to_string(++counter);
  CreateDirectoryA(directory_.c_str(), nullptr);
  state_.settingsPath = directory_ + "\\QUANTORA.INI";
  state_.dataPath = dataFile.empty() ? directory_ + "\\QUANTORA.TXT" : dataFile;
  if (!ini.empty()) std::ofstream(state_.settingsPath, std::ios::binary) << ini;
  state_.reporterOverride = &reporter_;
  state_.startText = commandLine;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterMainWindowClass(instance);  // refused, harmlessly, once the class exists
  CreateMainWindow(instance, state_);
  // The layout is built on the start-up timer.
  PumpUntil([&] { return window() == nullptr || state_.valueEdit != nullptr; });
  Pump();
}

TestProgram::~TestProgram() {
  if (HWND main = state_.mainWindow) DestroyWindow(main);
  Pump();
  DeleteFileA(state_.settingsPath.c_str());
  RemoveDirectoryA(directory_.c_str());
}

// Runs the loop until the queue stays empty over a few short waits (so that messages another
// message posts are handled too), or at most a second.
void TestProgram::Pump() {
  int quiet = 0;
  PumpUntil(
      [&] {
        quiet = GetQueueStatus(QS_ALLINPUT) == 0 ? quiet + 1 : 0;
        return quiet >= 3;
      },
      1000);
  DispatchPending();
}

std::string TestProgram::Text(int controlId) const {
  char text[256] = {};
  GetDlgItemTextA(window(), controlId, text, sizeof text);
  return text;
}

std::string TestProgram::ReadIni() const {
  std::ifstream in(state_.settingsPath, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void PressDialogKey(HWND dialog, HWND control, WPARAM key) {
  MSG msg{control, WM_KEYDOWN, key, 1, 0, {}};
  IsDialogMessageA(dialog, &msg);
}

namespace {

// The dialog awaited: owned by g_owner; g_steps run once it has shown.
HWND g_owner = nullptr;
HWND g_seen = nullptr;
HWND g_dialog = nullptr;
bool g_endedByTest = false;
const std::function<void(HWND)>* g_steps = nullptr;

void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (g_dialog != nullptr) return;
  // Without an owner to look for, the dialog is any of this thread's.
  auto awaited = [](HWND d) {
    return g_owner ? GetWindow(d, GW_OWNER) == g_owner
                   : GetWindowThreadProcessId(d, nullptr) == GetCurrentThreadId();
  };
  HWND dialog = FindWindowExA(nullptr, nullptr, "#32770", nullptr);
  while (dialog && !awaited(dialog)) {
    dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr);
  }
  // The dialog finishes its initialisation on a timer of its own: give that timer a tick to
  // come due after the dialog was first seen, then wait until it has no timer message left
  // (which also holds for dialogs that never set one).
  const bool seenBefore = dialog != nullptr && dialog == g_seen;
  g_seen = dialog;
  MSG pending;
  if (!seenBefore || !IsWindowVisible(dialog) ||
      PeekMessageA(&pending, dialog, WM_TIMER, WM_TIMER, PM_NOREMOVE)) {
    return;
  }
  g_dialog = dialog;
  (*g_steps)(dialog);
  // Steps that leave the dialog shown have failed (an ended dialog is hidden at once): it is
  // ended so that the run goes on.
  g_endedByTest = IsWindowVisible(dialog) != FALSE;
  if (g_endedByTest) EndDialog(dialog, 0);
}

}  // namespace

bool RunDialog(HWND window, UINT message, WPARAM wParam,
               const std::function<void(HWND dialog)>& steps) {
  g_owner = GetAncestor(window, GA_ROOT);
  return RunDialogDuring([&] { PostMessageA(window, message, wParam, 0); }, steps);
}

bool RunDialogDuring(const std::function<void()>& action,
                     const std::function<void(HWND dialog)>& steps) {
  g_seen = nullptr;
  g_dialog = nullptr;
  g_endedByTest = false;
  g_steps = &steps;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, StepTimer);
  action();
  // The dialog runs its own loop inside this one: the wait ends when it has closed.
  const bool closed = PumpUntil([] { return g_dialog && !IsWindow(g_dialog); }, 8000);
  KillTimer(nullptr, timer);
  g_steps = nullptr;
  g_owner = nullptr;
  return closed && !g_endedByTest;
}

}  // namespace testing
}  // namespace quantora
