// Starts a program the way a Start-menu shortcut does (its target, in its working directory)
// and tells whether the program's main window comes up with no message box. The installer
// test runs it under Wine:
//
//   shortcut_probe SHORTCUT.lnk WINDOW-CLASS [leave-running]
//
// prints "target: ...", "workdir: ..." and one line of outcome. The exit code is 0 only when a
// visible window of WINDOW-CLASS appeared, no dialog box of the program was shown, and the
// program ended after being asked to close (so that it saved its settings as at a user's close);
// with leave-running the program is left running once its window is up.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr DWORD kStartLimitMs = 20000;
constexpr DWORD kSettleMs = 1500;
constexpr DWORD kCloseLimitMs = 10000;
constexpr DWORD kAnswerLimitMs = 3000;
constexpr DWORD kPollMs = 100;

struct ProcessWindows {
  DWORD process_id;
  const char* main_class;
  HWND main;
  HWND box;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* found = reinterpret_cast<ProcessWindows*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != found->process_id || !IsWindowVisible(window)) return TRUE;
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, found->main_class) == 0) found->main = window;
  if (std::strcmp(name, "#32770") == 0) found->box = window;  // message boxes and dialogs
  return TRUE;
}

ProcessWindows Look(DWORD process_id, const char* main_class) {
  ProcessWindows found{process_id, main_class, nullptr, nullptr};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Prints the box's caption and text, then answers it so that the program can end.
void ReportBox(HWND box) {
  char title[128] = {};
  char text[512] = {};
  GetWindowTextA(box, title, sizeof title);
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the text control of a message box
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  std::printf("message box: \"%s\": %s\n", title, text);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

bool ReadShortcut(const char* path, std::string& target, std::string& workdir) {
  if (FAILED(CoInitialize(nullptr))) return false;
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link)))) {
    return false;
  }
  bool ok = false;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
    char buffer[MAX_PATH] = {};
    if (SUCCEEDED(file->Load(wide, STGM_READ)) &&
        SUCCEEDED(link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH))) {
      target = buffer;
      buffer[0] = '\0';
      ok = SUCCEEDED(link->GetWorkingDirectory(buffer, MAX_PATH));
      workdir = buffer;
    }
    file->Release();
  }
  link->Release();
  return ok && !target.empty();
}

enum class Seen { kBox, kEnd, kMain, kNothing };
const char* const kSeenNames[] = {"a message box", "the program's end", "the main window",
                                  "nothing"};

// Watches the program for up to limit_ms and says what came first: a dialog box (shown and
// answered), the program's end, its visible main window (when wanted) or nothing.
Seen Watch(const PROCESS_INFORMATION& process, const char* main_class, bool want_main,
           DWORD limit_ms, HWND* main) {
  for (DWORD waited = 0; waited < limit_ms; waited += kPollMs) {
    ProcessWindows found = Look(process.dwProcessId, main_class);
    if (found.box != nullptr) {
      ReportBox(found.box);
      return Seen::kBox;
    }
    if (want_main && found.main != nullptr) {
      *main = found.main;
      return Seen::kMain;
    }
    if (WaitForSingleObject(process.hProcess, kPollMs) == WAIT_OBJECT_0) return Seen::kEnd;
  }
  return Seen::kNothing;
}

int Fail(const PROCESS_INFORMATION& process, const char* when, Seen seen) {
  std::printf("%s: %s\n", when, kSeenNames[static_cast<int>(seen)]);
  if (WaitForSingleObject(process.hProcess, kAnswerLimitMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const bool leave_running = argc == 4 && std::strcmp(argv[3], "leave-running") == 0;
  if (argc != 3 && !leave_running) {
    std::fprintf(stderr, "usage: shortcut_probe SHORTCUT.lnk WINDOW-CLASS [leave-running]\n");
    return 2;
  }
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::string target, workdir;
  if (!ReadShortcut(argv[1], target, workdir)) {
    std::printf("cannot read the shortcut %s\n", argv[1]);
    return 1;
  }
  std::printf("target: %s\nworkdir: %s\n", target.c_str(), workdir.c_str());

  std::string command = "\"" + target + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(target.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                      workdir.empty() ? nullptr : workdir.c_str(), &startup, &process)) {
    std::printf("cannot start the target (error %lu)\n", GetLastError());
    return 1;
  }

  const char* main_class = argv[2];
  HWND main = nullptr;
  Seen seen = Watch(process, main_class, true, kStartLimitMs, &main);
  if (seen != Seen::kMain) return Fail(process, "at start, instead of the main window", seen);
  // A message box may still follow the window's first layout: watch a little longer.
  seen = Watch(process, main_class, false, kSettleMs, &main);
  if (seen != Seen::kNothing) return Fail(process, "after the main window came up", seen);
  if (leave_running) {
    std::printf("main window shown, no message box, left running\n");
    return 0;
  }
  PostMessageA(main, WM_CLOSE, 0, 0);
  seen = Watch(process, main_class, false, kCloseLimitMs, &main);
  if (seen != Seen::kEnd) return Fail(process, "when closed, instead of the end", seen);
  std::printf("main window shown, no message box, closed\n");
  return 0;
}
