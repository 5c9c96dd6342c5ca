// The built QUANTORA.HLP in the help viewer: WinHelpA opens it at its contents and at the
// topics of help ids, with no error box. Which topic every id leads to is checked inside the
// file by the native tests, with the file's own reader; here the viewer reads the id map the
// build wrote, at its first, a middle and its last entry (the map is in id order). Runs with the
// help folder of the build as its working directory, as the installed program finds the file.
//
// While the viewer shows an error box the WinHelpA call does not return, so each call is made
// from a thread of its own and watched with time limits; an error box is read and closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/convert.h"

namespace quantora {
namespace {

constexpr char kHelpFile[] = "QUANTORA.HLP";

struct HelpCall {
  HWND owner;
  UINT command;
  ULONG_PTR data;
};

DWORD WINAPI RunCall(LPVOID call) {
  const HelpCall& c = *static_cast<const HelpCall*>(call);
  WinHelpA(c.owner, kHelpFile, c.command, c.data);
  return 0;
}

BOOL CALLBACK AppendText(HWND child, LPARAM all) {
  char text[4096] = "";
  SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 2000, nullptr);
  *reinterpret_cast<std::string*>(all) += std::string(text) + "\n";
  return TRUE;
}

// Polls every 100 ms until done() holds, for at most 20 seconds.
template <typename Done>
void PollUntil(Done done) {
  for (int waited = 0; !done() && waited < 20000; waited += 100) Sleep(100);
}

// What the viewer shows when asked: the text of an error box it showed (answered "No", do not
// look for the file, "Cancel" or "OK", whichever it has), or else the heading of the topic (its
// first line, without its number: "Section 2.1: ..."). The viewer is closed again.
std::string Ask(HWND owner, UINT command, ULONG_PTR data) {
  HelpCall call{owner, command, data};
  HANDLE thread = CreateThread(nullptr, 0, RunCall, &call, 0, nullptr);
  std::string shown;
  bool error = false;
  PollUntil([&] {
    // The test itself shows no dialog: a box shown is the viewer's.
    HWND box = FindWindowExA(nullptr, nullptr, "#32770", nullptr);
    while (box && !IsWindowVisible(box)) box = FindWindowExA(nullptr, box, "#32770", nullptr);
    HWND viewer = FindWindowA("MS_WINHELP", nullptr);
    if (box) {
      error = true;
      EnumChildWindows(box, AppendText, reinterpret_cast<LPARAM>(&shown));
      for (WPARAM button : {IDNO, IDCANCEL, IDOK}) PostMessageA(box, WM_COMMAND, button, 0);
    } else if (WaitForSingleObject(thread, 0) == WAIT_OBJECT_0 && viewer &&
               IsWindowVisible(viewer)) {  // the viewer fills its window after the call returned
      EnumChildWindows(viewer, AppendText, reinterpret_cast<LPARAM>(&shown));
    }
    return !shown.empty();
  });
  if (FindWindowA("MS_WINHELP", nullptr)) WinHelpA(owner, kHelpFile, HELP_QUIT, 0);
  PollUntil([] { return FindWindowA("MS_WINHELP", nullptr) == nullptr; });
  const bool returned = WaitForSingleObject(thread, 5000) == WAIT_OBJECT_0;
  CloseHandle(thread);
  if (!returned) return "the call did not return: " + shown;
  if (error) return "error box: " + shown;
  shown = shown.substr(0, shown.find_first_of("\r\n"));
  const std::size_t colon = shown.find(": ");
  return colon == std::string::npos ? shown : shown.substr(colon + 2);
}

TEST(HelpViewer, OpensAtTheContentsAndAtTheTopicsOfHelpIds) {
  HWND owner = CreateWindowExA(0, "STATIC", "help test", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  EXPECT_EQ(Ask(owner, HELP_CONTENTS, 0), "Quantora Help");
  const std::pair<ULONG_PTR, const char*> topics[] = {
      {HC_VALUE, "The value field"},
      {HC_CONSTANTS, "Physical constants"},
      {HC_UNDO_QUANTITY, "Undo Quantity"},
  };
  for (const auto& [id, heading] : topics) EXPECT_EQ(Ask(owner, HELP_CONTEXT, id), heading) << id;
  DestroyWindow(owner);
}

}  // namespace
}  // namespace quantora
