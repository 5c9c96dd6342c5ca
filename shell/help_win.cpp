#include "shell/help_win.h"

#include <objbase.h>
#include <windowsx.h>

#include <cstdio>

#include "help/manual_pages.h"
#include "help/help_viewer.h"
#include "resources/convert.h"
#include "resources/strings.h"
#include "shell/reporter_win.h"

namespace quantora {

namespace {

HelpViewer chosenViewer = HelpViewer::kAuto;

// Wine, which ntdll's wine_get_version tells apart, whatever Windows version a prefix reports.
HelpPlatform Platform() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  HelpPlatform platform;
  platform.underWine = ntdll && GetProcAddress(ntdll, "wine_get_version");
  platform.windowsMajorVersion = LOBYTE(LOWORD(GetVersion()));
  return platform;
}

// The page of a help request: the help on help, the topic of a control looked up in its
// window's table, or else the contents. Empty when the control has no topic.
std::string PageFor(HWND window, UINT command, ULONG_PTR data) {
  if (command == HELP_HELPONHELP) return kManualHelpOnHelpPage;
  if (command != HELP_WM_HELP && command != HELP_CONTEXTMENU) return kManualContentsPage;
  // Only a child window has a control id; a top-level window's is its menu.
  const bool child = (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) != 0;
  const DWORD control = child ? static_cast<DWORD>(GetDlgCtrlID(window)) : 0;
  DWORD context = 0;
  for (const DWORD* pair = reinterpret_cast<const DWORD*>(data); pair && pair[0]; pair += 2) {
    if (pair[0] == control) {
      context = pair[1];
      break;
    }
  }
  for (const ManualPage& page : kManualPages) {
    if (context && page.id == context) return page.page;
  }
  return "";
}

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// Paths go through the wide functions, so that a folder named in any alphabet works.
std::wstring SystemFolder() {
  wchar_t folder[MAX_PATH] = L"";
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return length && length < MAX_PATH ? folder : L"";
}

// The full path of a file of the help: beside the program, else in the working directory
// (where the viewer looks for QUANTORA.HLP too). Empty when it is in neither.
std::wstring FindHelpFile(const std::string& name) {
  std::wstring folder(32768, L'\0');
  folder.resize(GetModuleFileNameW(nullptr, &folder[0], static_cast<DWORD>(folder.size())));
  folder.erase(folder.find_last_of(L"\\/") + 1);
  std::wstring inWorkingDirectory(32768, L'\0');
  inWorkingDirectory.resize(GetFullPathNameW(Wide(name).c_str(),
                                             static_cast<DWORD>(inWorkingDirectory.size()),
                                             &inWorkingDirectory[0], nullptr));
  for (const std::wstring& candidate : {folder + Wide(name), inWorkingDirectory}) {
    if (!candidate.empty() && GetFileAttributesW(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) {
      return candidate;
    }
  }
  return L"";
}

HtmlHelpFile FindHtmlHelpFile() {
  HtmlHelpFile chm;
  chm.path = FindHelpFile(kHtmlHelpFile);
  if (chm.path.empty()) return chm;
  // Windows gives a file downloaded from the internet, or unpacked from such a zip, this
  // stream; unblocking the zip (or the file) removes it.
  chm.zoneMark =
      GetFileAttributesW((chm.path + L":Zone.Identifier").c_str()) != INVALID_FILE_ATTRIBUTES;
  chm.remoteDrive = GetDriveTypeW((chm.path.substr(0, 2) + L"\\").c_str()) == DRIVE_REMOTE;
  return chm;
}

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
constexpr UINT kHtmlHelpDisplayTopic = 0x0000;  // HH_DISPLAY_TOPIC
constexpr UINT kHtmlHelpCloseAll = 0x0012;      // HH_CLOSE_ALL

// HTML Help, loaded at the first request; nullptr where it is missing.
HtmlHelpFunction htmlHelp = nullptr;

HtmlHelpFunction LoadHtmlHelp() {
  static HMODULE library = [] {
    // Where the loader can search the system folder alone, the DLLs hhctrl.ocx loads in turn
    // come from there too, never from the program's folder or the working directory, where a
    // stray DLL of such a name could lie; elsewhere at least hhctrl.ocx itself does.
    if (GetProcAddress(GetModuleHandleA("kernel32.dll"), "AddDllDirectory")) {
      return LoadLibraryExW(L"hhctrl.ocx", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    const std::wstring system = SystemFolder();
    return system.empty() ? HMODULE{} : LoadLibraryW((system + L"\\hhctrl.ocx").c_str());
  }();
  if (library && !htmlHelp) {
    htmlHelp = reinterpret_cast<HtmlHelpFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpW")));
  }
  return htmlHelp;
}

bool ShowInHtmlHelp(HWND window, const std::string& page) {
  const std::wstring file = FindHelpFile(kHtmlHelpFile);
  if (file.empty() || !LoadHtmlHelp()) return false;
  const std::wstring topic = file + L"::/" + Wide(page);
  return htmlHelp(window, topic.c_str(), kHtmlHelpDisplayTopic, 0) != nullptr;
}

// The shell and COM, like HTML Help, are loaded only when help is asked for: never at every
// start. The shell may hand the page to a handler that needs COM on this thread.
bool ShellOpen(HWND window, const std::wstring& file) {
  static const bool comReady = [] {
    using CoInitializeExFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
    const HMODULE ole = LoadLibraryW(L"ole32.dll");
    const auto initialize = ole ? reinterpret_cast<CoInitializeExFunction>(reinterpret_cast<void*>(
                                      GetProcAddress(ole, "CoInitializeEx")))
                                : nullptr;
    return initialize &&
           SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  }();
  (void)comReady;
  using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  const HMODULE shell = LoadLibraryW(L"shell32.dll");
  const auto open = shell ? reinterpret_cast<ShellExecuteFunction>(reinterpret_cast<void*>(
                                GetProcAddress(shell, "ShellExecuteW")))
                          : nullptr;
  return open && reinterpret_cast<INT_PTR>(
                     open(window, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

// Every Wine prefix has winebrowser.exe in its system folder: it hands a page to the Linux
// desktop's browser, also where the prefix gives web pages no association (a new prefix gives
// none). Windows has no such program, and nothing is started there.
bool WineBrowserOpen(const std::wstring& file) {
  const std::wstring browser = SystemFolder() + L"\\winebrowser.exe";
  if (GetFileAttributesW(browser.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  std::wstring commandLine = L"\"" + browser + L"\" \"" + file + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(browser.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool ShowInBrowser(HWND window, const std::string& page) {
  const std::wstring file = FindHelpFile(std::string(kManualFolder) + "\\" + page);
  return !file.empty() && (ShellOpen(window, file) || WineBrowserOpen(file));
}

// The viewer of this request: the one set, or the automatic choice as things stand now.
HelpViewer Viewer() { return ChooseHelpViewer(chosenViewer, Platform(), FindHtmlHelpFile()); }

// The one-item menu a right-click on a control offers, at the mouse or, from the keyboard
// (Shift+F10 or the menu key), at the control's lower left corner.
bool WhatsThisChosen(HWND control, LPARAM at) {
  POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (point.x == -1 && point.y == -1) {
    RECT r{};
    GetWindowRect(control, &r);
    point = POINT{r.left, r.bottom};
  }
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, IDM_WHATS_THIS, QA_STR_WHATS_THIS);
  const BOOL chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                     point.x, point.y, 0, GetAncestor(control, GA_ROOT), nullptr);
  DestroyMenu(menu);
  return chosen == IDM_WHATS_THIS;
}

void ReportNoHelp(HWND window, const std::string& page) {
  const std::string manualPage = std::string(kManualFolder) + "\\" + page;
  char text[sizeof QA_STR_HELP_UNAVAILABLE + MAX_PATH + 20];
  std::snprintf(text, sizeof text, QA_STR_HELP_UNAVAILABLE, kHtmlHelpFile, manualPage.c_str());
  WinReporter reporter(window ? GetAncestor(window, GA_ROOT) : nullptr);
  BeepAndShow(reporter, kBeepHand, text, QA_STR_ERROR_TITLE, kStyleStop);
}

}  // namespace

HelpViewer ParseHelpViewer(const std::string& value) {
  const std::pair<const char*, HelpViewer> names[] = {
      {"winhelp", HelpViewer::kWinHelp}, {"htmlhelp", HelpViewer::kHtmlHelp},
      {"browser", HelpViewer::kBrowser}};
  for (const auto& [name, viewer] : names) {
    if (lstrcmpiA(value.c_str(), name) == 0) return viewer;
  }
  return HelpViewer::kAuto;
}

void SetHelpViewer(HelpViewer viewer) { chosenViewer = viewer; }

// A working WinHelp viewer shows its own errors (a missing or damaged help file). Otherwise a
// request for a control without a topic shows nothing, as the viewer would, and every other
// request ends in a topic or in a message.
void CallHelp(HWND window, UINT command, ULONG_PTR data) {
  const HelpViewer viewer = Viewer();
  if (viewer == HelpViewer::kWinHelp) {
    WinHelpA(window, kHelpFile, command, data);
    return;
  }
  const std::string page = PageFor(window, command, data);
  if (page.empty()) return;
  if (viewer == HelpViewer::kHtmlHelp && ShowInHtmlHelp(window, page)) return;
  if (ShowInBrowser(window, page)) return;
  ReportNoHelp(window, page);
}

void CloseHelp() {
  if (htmlHelp) htmlHelp(nullptr, nullptr, kHtmlHelpCloseAll, 0);
}

BOOL HandleHelpMessage(UINT message, WPARAM wParam, LPARAM lParam, const DWORD* table) {
  const ULONG_PTR data = reinterpret_cast<ULONG_PTR>(table);
  if (message == WM_HELP) {
    const HELPINFO* info = reinterpret_cast<const HELPINFO*>(lParam);
    if (info && info->iContextType == HELPINFO_WINDOW) {
      CallHelp(static_cast<HWND>(info->hItemHandle), HELP_WM_HELP, data);
    }
  } else if (message == WM_CONTEXTMENU) {
    HWND control = reinterpret_cast<HWND>(wParam);
    if ((GetWindowLongPtrA(control, GWL_STYLE) & WS_CHILD) == 0) return FALSE;
    // The WinHelp viewer offers "What's This?" itself.
    if (Viewer() == HelpViewer::kWinHelp) {
      WinHelpA(control, kHelpFile, HELP_CONTEXTMENU, data);
    } else if (!PageFor(control, HELP_CONTEXTMENU, data).empty() &&
               WhatsThisChosen(control, lParam)) {
      CallHelp(control, HELP_WM_HELP, data);
    }
  }
  return TRUE;
}

}  // namespace quantora
