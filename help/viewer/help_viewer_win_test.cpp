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

#include <functional>
#include <string>

#include "resources/convert.h"

namespace quantora {
namespace {

constexpr char kHelpFile[] = "QUANTORA.HLP";
constexpr DWORD kPollMs = 100;

// Polls until done() holds; false when it still does not after 20 seconds.
bool PollUntil(const std::function<bool()>& done) {
  for (DWORD waited = 0; !done(); waited += kPollMs) {
    if (waited >= 20000) return false;
    Sleep(kPollMs);
  }
  return true;
}

BOOL CALLBACK AppendText(HWND child, LPARAM all) {
  char text[4096] = "";
  SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 2000, nullptr);
  *reinterpret_cast<std::string*>(all) += std::string(text) + "\n";
  return TRUE;
}

std::string TextOfChildren(HWND window) {
  std::string all;
  EnumChildWindows(window, AppendText, reinterpret_cast<LPARAM>(&all));
  return all;
}

// The text of an error box the viewer shows, if any; the box is answered "No" (do not look
// for the file), "Cancel" or "OK", whichever it has.
std::string TakeErrorBox() {
  // The test itself shows no dialog: a box shown is the viewer's.
  HWND box = FindWindowExA(nullptr, nullptr, "#32770", nullptr);
  while (box && !IsWindowVisible(box)) box = FindWindowExA(nullptr, box, "#32770", nullptr);
  if (!box) return "";
  const std::string text = "error box: " + TextOfChildren(box);
  for (WPARAM button : {IDNO, IDCANCEL, IDOK}) PostMessageA(box, WM_COMMAND, button, 0);
  return text;
}

void CloseViewer(HWND owner) {
  TakeErrorBox();
  if (FindWindowA("MS_WINHELP", nullptr)) WinHelpA(owner, kHelpFile, HELP_QUIT, 0);
  PollUntil([] { return FindWindowA("MS_WINHELP", nullptr) == nullptr; });
}

DWORD WINAPI RunCall(LPVOID call) {
  (*static_cast<std::function<void()>*>(call))();
  return 0;
}

// What the viewer shows when asked: the error box it showed, or else the heading of the topic
// (its first line, without its number: "Section 2.1: ..."), "" for nothing.
std::string Ask(HWND owner, UINT command, ULONG_PTR data) {
  CloseViewer(owner);
  std::function<void()> call = [&] { WinHelpA(owner, kHelpFile, command, data); };
  HANDLE thread = CreateThread(nullptr, 0, RunCall, &call, 0, nullptr);
  // The viewer fills its window after the call has returned.
  std::string errors;
  std::string topic;
  PollUntil([&] {
    errors += TakeErrorBox();
    if (WaitForSingleObject(thread, 0) != WAIT_OBJECT_0) return false;
    HWND viewer = FindWindowA("MS_WINHELP", nullptr);
    if (viewer && IsWindowVisible(viewer)) topic = TextOfChildren(viewer);
    return !errors.empty() || !topic.empty();
  });
  // A call still waiting ends when the next one closes the viewer.
  if (WaitForSingleObject(thread, 0) != WAIT_OBJECT_0) errors += "(the call did not return)";
  CloseHandle(thread);
  if (!errors.empty()) return errors;
  const std::string first = topic.substr(0, topic.find_first_of("\r\n"));
  const std::size_t colon = first.find(": ");
  return colon == std::string::npos ? first : first.substr(colon + 2);
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
  CloseViewer(owner);
  DestroyWindow(owner);
}

}  // namespace
}  // namespace quantora
