// Which viewer shows the program's help, decided from plain facts about where it runs and
// where its HTML Help file lies, so that the choice can be checked anywhere.
#pragma once

#include <string>

namespace quantora {

// The key HelpViewer of [USER_PREFERENCES] in the settings file; kAuto lets the program choose.
enum class HelpViewer { kAuto, kWinHelp, kHtmlHelp, kBrowser };

struct HelpPlatform {
  bool underWine = false;
  int windowsMajorVersion = 0;
};

// QUANTORA.CHM as the program found it.
struct HtmlHelpFile {
  std::wstring path;         // full path; empty when there is none
  bool zoneMark = false;     // it carries a zone mark (a Zone.Identifier stream)
  bool remoteDrive = false;  // its drive is a network drive
};

// HTML Help shows the pages of a file only from the local machine: a file with a zone mark (as
// unpacked from a downloaded zip), one on a share, or one whose path holds '#' opens a window
// that reads "Navigation to the webpage was canceled".
bool HtmlHelpCanShow(const HtmlHelpFile& file);

// The viewer set is kept as it is. The automatic choice: under Wine the web manual in the
// desktop's browser (Wine's WinHelp viewer ignores most requests and its HTML Help has no
// engine for the pages); WinHelp before Windows Vista; HTML Help after, where its pages can
// show, else the web manual.
HelpViewer ChooseHelpViewer(HelpViewer setting, const HelpPlatform& platform,
                            const HtmlHelpFile& chm);

}  // namespace quantora
