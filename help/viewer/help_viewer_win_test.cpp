// The built QUANTORA.HLP in the help viewer: WinHelpA opens it at its contents and, for every
// help id the program passes, at that id's topic, with no error box. Runs with the help
// folder of the build as its working directory, so that the bare file name is found as it
// is beside the installed program.
//
// While the viewer shows an error box the WinHelpA call does not return, so each call is made
// from a thread of its own and watched with time limits; an error box is read and closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "help/help_file.h"
#include "resources/convert.h"

namespace quantora {
namespace {

constexpr char kHelpFile[] = "QUANTORA.HLP";
constexpr DWORD kCallLimitMs = 30000;
constexpr DWORD kTopicLimitMs = 10000;
constexpr DWORD kPollMs = 100;
constexpr char kViewerClass[] = "MS_WINHELP";

std::string WindowText(HWND window) {
  char text[4096] = "";
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 2000, &length);
  return text;
}

std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

// A dialog box of another process: the viewer's error box.
BOOL CALLBACK FindErrorBoxIn(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() && IsWindowVisible(window) && ClassOf(window) == "#32770") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindErrorBox() {
  HWND found = nullptr;
  EnumWindows(FindErrorBoxIn, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Answers an error box as "No" (do not look for the file), "Cancel" or "OK", whichever it has.
void DismissBox(HWND box) {
  for (WPARAM button : {IDNO, IDCANCEL, IDOK}) PostMessageA(box, WM_COMMAND, button, 0);
}

BOOL CALLBACK AppendText(HWND child, LPARAM all) {
  *reinterpret_cast<std::string*>(all) += WindowText(child) + "\n";
  return TRUE;
}

std::string TextOfChildren(HWND window) {
  std::string all;
  EnumChildWindows(window, AppendText, reinterpret_cast<LPARAM>(&all));
  return all;
}

// What the viewer shows: the text of its visible main window, empty when there is none.
std::string ShownTopic() {
  HWND viewer = FindWindowA(kViewerClass, nullptr);
  if (!viewer || !IsWindowVisible(viewer)) return "";
  return TextOfChildren(viewer);
}

struct ViewerAnswer {
  bool returned = false;
  std::string errorBox;  // the text of the error box the viewer showed, if any
  std::string topic;     // the text the viewer shows afterwards
};

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

  // Asks the viewer for something and waits until it shows a topic, an error box, or nothing.
  ViewerAnswer Ask(const char* file, UINT command, ULONG_PTR data,
                   DWORD topicWaitMs = kTopicLimitMs) {
    ViewerAnswer answer;
    Call call{owner_, file, command, data};
    HANDLE thread = CreateThread(nullptr, 0, CallViewer, &call, 0, nullptr);
    if (!thread) return answer;
    for (DWORD waited = 0; waited < kCallLimitMs; waited += kPollMs) {
      if (WaitForSingleObject(thread, kPollMs) == WAIT_OBJECT_0) {
        answer.returned = true;
        break;
      }
      if (HWND box = FindErrorBox()) {
        answer.errorBox = TextOfChildren(box);
        DismissBox(box);
      }
    }
    if (!answer.returned) {
      // The call is stuck: close whatever the viewer shows so that the thread can end.
      CloseViewer();
      WaitForSingleObject(thread, kCallLimitMs);
    }
    CloseHandle(thread);
    if (HWND box = FindErrorBox()) {
      answer.errorBox += TextOfChildren(box);
      DismissBox(box);
    }
    // The viewer fills its window after the call has returned.
    for (DWORD waited = 0; answer.topic.empty() && waited < topicWaitMs; waited += kPollMs) {
      Sleep(kPollMs);
      answer.topic = ShownTopic();
    }
    return answer;
  }

  void CloseViewer() {
    for (DWORD waited = 0; waited < kTopicLimitMs; waited += kPollMs) {
      if (HWND box = FindErrorBox()) DismissBox(box);
      HWND viewer = FindWindowA(kViewerClass, nullptr);
      if (!viewer) return;
      if (waited == 0) {
        WinHelpA(owner_, kHelpFile, HELP_QUIT, 0);
      } else {
        PostMessageA(viewer, WM_CLOSE, 0, 0);
      }
      Sleep(kPollMs);
    }
  }

  HWND owner_ = nullptr;
};

// The heading of the topic each help id of the program leads to.
struct TopicOfId {
  std::uint32_t id;
  const char* heading;
};
const TopicOfId kTopics[] = {
    {HC_VALUE, "The value field"},
    {HC_INPUT_UNIT, "The input unit"},
    {HC_RESULT, "The result field"},
    {HC_OUTPUT_UNIT, "The output unit"},
    {HC_SWAP_SIMPLE, "The swap button"},
    {HC_SWAP_MULTI, "The swap button in the multi-unit conversion mode"},
    {HC_QUANTITY, "Physical Quantity"},
    {HC_MULTIPLIER, "Multiplier"},
    {HC_UNIT, "Unit"},
    {HC_UNDO_QUANTITY, "Undo Quantity"},
    {HC_ENGINEERING, "Engineering"},
    {HC_SCIENTIFIC, "Scientific"},
    {HC_FIXED_DECIMAL, "Fixed Decimal"},
    {HC_DIGITS, "Significant Digits Displayed"},
    {HC_PLACES, "Places to the Right of the Decimal"},
    {HC_TRUNCATE, "Truncate Trailing Zeroes"},
    {HC_CONSTANTS, "Physical constants"},
    {HC_SUPPORT_WEB, "Website"},
    {HC_SUPPORT_EMAIL, "E-mail"},
    {HC_LIABILITY, "Limit of liability"},
};

// The first line the viewer shows is the topic's heading, numbered ("Section 2.1: ...").
std::string HeadingOf(const std::string& topic) {
  std::string first = topic.substr(0, topic.find_first_of("\r\n"));
  const std::size_t colon = first.find(": ");
  return colon == std::string::npos ? first : first.substr(colon + 2);
}

TEST(HelpIds, EveryHelpIdOfTheProgramHasAnExpectedTopic) {
  std::ifstream in(QUANTORA_SOURCE_DIR "/resources/convert.h", std::ios::binary);
  const std::string header{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::set<std::uint32_t> listed;
  for (const TopicOfId& t : kTopics) listed.insert(t.id);
  for (const HelpContextId& id : ReadHelpContextIds(header)) {
    EXPECT_EQ(listed.count(id.id), 1u) << id.name << " is not checked in the viewer";
  }
}

TEST_F(HelpViewer, OpensAtTheContents) {
  const ViewerAnswer answer = Ask(kHelpFile, HELP_CONTENTS, 0);
  EXPECT_TRUE(answer.returned);
  EXPECT_EQ(answer.errorBox, "");
  EXPECT_EQ(HeadingOf(answer.topic), "Quantora Help");
  EXPECT_NE(answer.topic.find("Chapter 1: Converting a value"), std::string::npos) << answer.topic;
}

TEST_F(HelpViewer, OpensTheTopicOfEveryHelpId) {
  for (const TopicOfId& t : kTopics) {
    SCOPED_TRACE(t.id);
    const ViewerAnswer answer = Ask(kHelpFile, HELP_CONTEXT, t.id);
    EXPECT_TRUE(answer.returned);
    EXPECT_EQ(answer.errorBox, "");
    EXPECT_EQ(HeadingOf(answer.topic), t.heading);
    CloseViewer();
  }
}

// The two ways the checks above could pass without the file being right: a number the file
// does not map shows no topic, and a file the viewer cannot open shows an error box.
TEST_F(HelpViewer, ShowsNothingForAnUnmappedIdAndAnErrorForAMissingFile) {
  const ViewerAnswer unmapped = Ask(kHelpFile, HELP_CONTEXT, 1, 1000);
  EXPECT_EQ(unmapped.topic, "");
  EXPECT_EQ(unmapped.errorBox, "");
  CloseViewer();

  const ViewerAnswer missing = Ask("NOSUCH.HLP", HELP_CONTENTS, 0, 1000);
  EXPECT_NE(missing.errorBox.find("NOSUCH.HLP"), std::string::npos) << missing.errorBox;
}

}  // namespace
}  // namespace quantora
