#include "shell/help_win.h"

#include <cstdio>

#include "help/manual_pages.h"
#include "resources/convert.h"
#include "resources/strings.h"
#include "shell/reporter_win.h"

namespace quantora {

namespace {

HelpViewer chosenViewer = HelpViewer::kAuto;

// The WinHelp viewer shows what the program asks for only before Windows Vista (version 6).
// Wine brings a viewer of its own whatever Windows version a prefix reports, but it ignores
// three of the program's four requests (HELP_FORCEFILE, HELP_WM_HELP, HELP_CONTEXTMENU), so
// under Wine, which ntdll's wine_get_version tells apart, HTML Help is the better viewer too.
bool WinHelpWorks() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (ntdll && GetProcAddress(ntdll, "wine_get_version")) return false;
  return LOBYTE(LOWORD(GetVersion())) < 6;
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

// The full path of a file of the help: beside the program, else in the working directory
// (where the viewer looks for QUANTORA.HLP too). Empty when it is in neither.
std::string FindHelpFile(const std::string& name) {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length < MAX_PATH ? length : 0);
  folder.erase(folder.find_last_of("\\/") + 1);
  char inWorkingDirectory[MAX_PATH] = "";
  const DWORD full = GetFullPathNameA(name.c_str(), MAX_PATH, inWorkingDirectory, nullptr);
  for (const std::string& candidate :
       {folder + name, std::string(inWorkingDirectory, full < MAX_PATH ? full : 0)}) {
    if (!candidate.empty() && GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) {
      return candidate;
    }
  }
  return "";
}

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
constexpr UINT kHtmlHelpDisplayTopic = 0x0000;  // HH_DISPLAY_TOPIC
constexpr UINT kHtmlHelpCloseAll = 0x0012;      // HH_CLOSE_ALL

// HTML Help, loaded from the system folder at the first request (never from the working
// directory, where a stray DLL of that name could lie); nullptr where it is missing.
HtmlHelpFunction htmlHelp = nullptr;

HtmlHelpFunction LoadHtmlHelp() {
  static HMODULE library = [] {
    char system[MAX_PATH] = "";
    const UINT length = GetSystemDirectoryA(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return HMODULE{};
    return LoadLibraryA((std::string(system) + "\\hhctrl.ocx").c_str());
  }();
  if (library && !htmlHelp) {
    htmlHelp = reinterpret_cast<HtmlHelpFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpA")));
  }
  return htmlHelp;
}

bool ShowInHtmlHelp(HWND window, const std::string& page) {
  const std::string file = FindHelpFile(kHtmlHelpFile);
  if (file.empty() || !LoadHtmlHelp()) return false;
  const std::string topic = file + "::/" + page;
  return htmlHelp(window, topic.c_str(), kHtmlHelpDisplayTopic, 0) != nullptr;
}

// The shell, like HTML Help, is loaded only when help is asked for: never at every start.
bool ShowInBrowser(HWND window, const std::string& page) {
  using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  const std::string file = FindHelpFile(std::string(kManualFolder) + "\\" + page);
  const HMODULE shell = file.empty() ? nullptr : LoadLibraryA("shell32.dll");
  const auto open = shell ? reinterpret_cast<ShellExecuteFunction>(reinterpret_cast<void*>(
                                GetProcAddress(shell, "ShellExecuteA")))
                          : nullptr;
  return open && reinterpret_cast<INT_PTR>(
                     open(window, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
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
  HelpViewer viewer = chosenViewer;
  if (viewer == HelpViewer::kAuto) {
    viewer = WinHelpWorks() ? HelpViewer::kWinHelp : HelpViewer::kHtmlHelp;
  }
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
  if (message == WM_HELP) {
    const HELPINFO* info = reinterpret_cast<const HELPINFO*>(lParam);
    if (info && info->iContextType == HELPINFO_WINDOW) {
      CallHelp(static_cast<HWND>(info->hItemHandle), HELP_WM_HELP,
               reinterpret_cast<ULONG_PTR>(table));
    }
  } else if (message == WM_CONTEXTMENU) {
    CallHelp(reinterpret_cast<HWND>(wParam), HELP_CONTEXTMENU, reinterpret_cast<ULONG_PTR>(table));
  }
  return TRUE;
}

}  // namespace quantora
