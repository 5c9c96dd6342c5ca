// The built QUANTORA.HLP in the help viewer: WinHelpA opens it at its contents and, for every
// help id the program passes, at that id's topic, with no error box. Runs with the help
// folder of the build as its working directory, as the installed program finds the file.
//
// While the viewer shows an error box the WinHelpA call does not return, so each call is made
// from a thread of its own and watched with time limits; an error box is read and closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "help/help_file.h"

namespace quantora {
namespace {

constexpr char kHelpFile[] = "QUANTORA.HLP";
constexpr DWORD kLimitMs = 20000;
constexpr DWORD kPollMs = 100;

BOOL CALLBACK AppendText(HWND child, LPARAM all) {
  char text[4096] = "";
  DWORD_PTR length = 0;
  SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 2000, &length);
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
  HWND box = nullptr;
  while ((box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr) {
    DWORD process = 0;
    GetWindowThreadProcessId(box, &process);
    if (process != GetCurrentProcessId() && IsWindowVisible(box)) break;
  }
  if (!box) return "";
  const std::string text = "error box: " + TextOfChildren(box);
  for (WPARAM button : {IDNO, IDCANCEL, IDOK}) PostMessageA(box, WM_COMMAND, button, 0);
  return text;
}

struct Call {
  HWND owner;
  const char* file;
  UINT command;
  ULONG_PTR data;
};

DWORD WINAPI CallViewer(LPVOID parameter) {
  const Call* call = static_cast<const Call*>(parameter);
  WinHelpA(call->owner, call->file, call->command, call->data);
  return 0;
}

class HelpViewer : public testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExA(0, "STATIC", "help test", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
    CloseViewer();
  }
  void TearDown() override {
    CloseViewer();
    DestroyWindow(owner_);
  }

  // What the viewer shows when asked: the error box it showed, or else the heading of the
  // topic (its first line, without its number: "Section 2.1: ..."), "" for nothing.
  std::string Ask(const char* file, UINT command, ULONG_PTR data, DWORD topicWaitMs = 10000) {
    std::string errors;
    Call call{owner_, file, command, data};
    HANDLE thread = CreateThread(nullptr, 0, CallViewer, &call, 0, nullptr);
    DWORD waited = 0;
    for (; waited < kLimitMs && WaitForSingleObject(thread, kPollMs) != WAIT_OBJECT_0;
         waited += kPollMs) {
      errors += TakeErrorBox();
    }
    if (waited >= kLimitMs) {
      errors += "(the call did not return)";
      CloseViewer();  // so that the thread can end
      WaitForSingleObject(thread, kLimitMs);
    }
    CloseHandle(thread);
    errors += TakeErrorBox();
    if (!errors.empty()) return errors;
    // The viewer fills its window after the call has returned.
    std::string topic;
    for (waited = 0; topic.empty() && waited < topicWaitMs; waited += kPollMs) {
      Sleep(kPollMs);
      HWND viewer = FindWindowA("MS_WINHELP", nullptr);
      if (viewer && IsWindowVisible(viewer)) topic = TextOfChildren(viewer);
    }
    const std::string first = topic.substr(0, topic.find_first_of("\r\n"));
    const std::size_t colon = first.find(": ");
    return colon == std::string::npos ? first : first.substr(colon + 2);
  }

  void CloseViewer() {
    TakeErrorBox();
    if (FindWindowA("MS_WINHELP", nullptr)) WinHelpA(owner_, kHelpFile, HELP_QUIT, 0);
    for (DWORD waited = 0; FindWindowA("MS_WINHELP", nullptr) && waited < kLimitMs;
         waited += kPollMs) {
      Sleep(kPollMs);
    }
  }

  HWND owner_ = nullptr;
};

// Every help id the program's resource header defines leads to the topic a user expects.
TEST_F(HelpViewer, OpensAtTheContentsAndAtTheTopicOfEveryHelpId) {
  EXPECT_EQ(Ask(kHelpFile, HELP_CONTENTS, 0), "Quantora Help");
  const std::map<std::string, std::string> headings = {
      {"HC_VALUE", "The value field"},
      {"HC_INPUT_UNIT", "The input unit"},
      {"HC_RESULT", "The result field"},
      {"HC_OUTPUT_UNIT", "The output unit"},
      {"HC_SWAP_SIMPLE", "The swap button"},
      {"HC_SWAP_MULTI", "The swap button in the multi-unit conversion mode"},
      {"HC_QUANTITY", "Physical Quantity"},
      {"HC_MULTIPLIER", "Multiplier"},
      {"HC_UNIT", "Unit"},
      {"HC_UNDO_QUANTITY", "Undo Quantity"},
      {"HC_ENGINEERING", "Engineering"},
      {"HC_SCIENTIFIC", "Scientific"},
      {"HC_FIXED_DECIMAL", "Fixed Decimal"},
      {"HC_DIGITS", "Significant Digits Displayed"},
      {"HC_PLACES", "Places to the Right of the Decimal"},
      {"HC_TRUNCATE", "Truncate Trailing Zeroes"},
      {"HC_CONSTANTS", "Physical constants"},
      {"HC_SUPPORT_WEB", "Website"},
      {"HC_SUPPORT_EMAIL", "E-mail"},
      {"HC_LIABILITY", "Limit of liability"},
  };
  std::ifstream in(QUANTORA_SOURCE_DIR "/resources/convert.h", std::ios::binary);
  const std::string header{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const auto ids = ReadHelpContextIds(header);
  EXPECT_EQ(ids.size(), headings.size());
  for (const HelpContextId& id : ids) {
    CloseViewer();
    const auto expected = headings.find(id.name);
    EXPECT_EQ(Ask(kHelpFile, HELP_CONTEXT, id.id),
              expected == headings.end() ? "(no topic expected)" : expected->second)
        << id.name;
  }
}

// The two ways the checks above could pass without the file being right: a number the file
// does not map shows no topic, and a file the viewer cannot open shows an error box.
TEST_F(HelpViewer, ShowsNothingForAnUnmappedIdAndAnErrorForAMissingFile) {
  EXPECT_EQ(Ask(kHelpFile, HELP_CONTEXT, 1, 1000), "");
  CloseViewer();
  const std::string missing = Ask("NOSUCH.HLP", HELP_CONTENTS, 0, 1000);
  EXPECT_NE(missing.find("NOSUCH.HLP"), std::string::npos) << missing;
}

}  // namespace
}  // namespace quantora
