// Context help of every window of the program: the calls into the help viewer.
//
// Where a WinHelp viewer works, every request goes to it with QUANTORA.HLP. Where none does
// (Windows Vista and later ship only a stub that says help is not supported), the same topic
// is opened from QUANTORA.CHM with HTML Help where its pages can show, or else as a page of
// the web manual in the browser; when neither can be shown a message says so.
#pragma once

#include <windows.h>

#include <string>

#include "help/help_viewer.h"

namespace quantora {

constexpr const char* kHelpFile = "QUANTORA.HLP";
constexpr const char* kHtmlHelpFile = "QUANTORA.CHM";
// The folder of the web manual, beside the program.
constexpr const char* kManualFolder = "manual";

// Which viewer shows help: the key HelpViewer of [USER_PREFERENCES] in the settings file.
constexpr const char* kHelpViewerSection = "USER_PREFERENCES";
constexpr const char* kHelpViewerKey = "HelpViewer";

// "auto", "winhelp", "htmlhelp" or "browser", in any case; anything else is kAuto.
HelpViewer ParseHelpViewer(const std::string& value);
// The viewer every later help request of the process uses; kAuto until it is set.
void SetHelpViewer(HelpViewer viewer);

void CallHelp(HWND window, UINT command, ULONG_PTR data);
// WM_HELP and WM_CONTEXTMENU of a window whose controls are listed in table (control id and
// help context pairs, ended by a pair of zeros). A right-click on a control with a topic offers
// "What's This?" first; FALSE for a right-click on the window itself (its caption or frame),
// which the window's default handling answers with the window menu.
BOOL HandleHelpMessage(UINT message, WPARAM wParam, LPARAM lParam, const DWORD* table);
// Closes the HTML Help windows this process opened, when the program ends.
void CloseHelp();

}  // namespace quantora
