// The real main window, created in the test process and driven with messages.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/main_window_win.h"
#include "shell/help_win.h"
#include "shell/reporter_win.h"
#include "app/window_test_support_win.h"
#include "resources/convert.h"
#include "resources/strings.h"

namespace quantora {
namespace {

using testing::TestProgram;

// A settings file with slot 0 converting feet (input) to meters (output) and every other
// slot empty; multipliers at "No_Multiplier" (row 3 of the test catalogue).
// Keys in extraLastUsed come first, so they win over the defaults written after them.
std::string FeetToMetersIni(const char* extra = "", const char* extraLastUsed = "") {
  std::string ini = testing::DefaultIni() + "[LAST_USED]\r\n" + extraLastUsed;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::string n = std::to_string(slot);
    ini += "DimensionIndex" + n + "=" + (slot == 0 ? "0" : "9999") + "\r\n";
    ini += "InputUnitScalerIndex" + n + "=3\r\nOutputUnitScalerIndex" + n + "=3\r\n";
  }
  ini += "InputUnitIndex0=1\r\nInputUnitMult0=0.304800000\r\nInputUnitSelected0=TRUE\r\n"
         "OutputUnitIndex0=0\r\nOutputUnitMult0=1.000000000\r\nOutputUnitSelected0=TRUE\r\n";
  ini += extra;
  return ini;
}

bool HasControl(HWND window, int id) { return GetDlgItem(window, id) != nullptr; }

void TypeValue(TestProgram& p, const char* text) {
  SetFocus(GetDlgItem(p.window(), IDC_VALUE_EDIT));
  SetDlgItemTextA(p.window(), IDC_VALUE_EDIT, text);
}

void PressKey(HWND control, WPARAM key) {
  SendMessageA(control, WM_KEYDOWN, key, 0);
  SendMessageA(control, WM_KEYUP, key, 0);
}

TEST(MainWindow, FirstStartShowsTheSimpleLayoutWithDefaults) {
  TestProgram p;
  ASSERT_NE(p.window(), nullptr);
  EXPECT_TRUE(IsWindowVisible(p.window()));
  for (int id : {IDC_VALUE_EDIT, IDC_RESULT_EDIT, IDC_INPUT_LABEL_FIRST, IDC_OUTPUT_LABEL_FIRST,
                 IDC_SWAP_SIMPLE, IDC_INPUT_UNIT_BUTTON_FIRST, IDC_OUTPUT_UNIT_BUTTON_FIRST,
                 IDC_FRAME_FROM, IDC_FRAME_TO}) {
    EXPECT_TRUE(HasControl(p.window(), id)) << id;
  }
  for (int id : {IDC_SWAP_MULTI, IDC_INPUT_LABEL_FIRST + 1, IDC_INPUT_UNIT_BUTTON_FIRST + 1,
                 IDC_OUTPUT_UNIT_BUTTON_FIRST + 5}) {
    EXPECT_FALSE(HasControl(p.window(), id)) << id;
  }
  EXPECT_EQ(p.Text(IDC_VALUE_EDIT), "");
  EXPECT_EQ(p.Text(IDC_RESULT_EDIT), "");
  EXPECT_EQ(p.Text(IDC_FRAME_FROM), " Convert From ");
  EXPECT_EQ(p.Text(IDC_FRAME_TO), " Convert To ");
  EXPECT_EQ(GetFocus(), GetDlgItem(p.window(), IDC_VALUE_EDIT));
  RECT r;
  GetWindowRect(p.window(), &r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 10);
  EXPECT_EQ(r.right - r.left, 85 * p.state().CharWidth);
  EXPECT_EQ(r.bottom - r.top, 9 * p.state().CharHeight);
  EXPECT_EQ(GetMenuState(GetMenu(p.window()), IDM_SIMPLE_MODE, MF_BYCOMMAND) & MF_CHECKED,
            static_cast<UINT>(MF_CHECKED));
  EXPECT_TRUE(p.reporter().messages.empty());
}

TEST(MainWindow, LeavingTheFieldCommitsOnlyAChangedValueAndEnterAlwaysCommits) {
  TestProgram p(FeetToMetersIni());
  EXPECT_EQ(p.Text(IDC_INPUT_LABEL_FIRST), "foot");
  EXPECT_EQ(p.Text(IDC_OUTPUT_LABEL_FIRST), "meter");

  // 1 equals the default InputValue: leaving the field converts nothing.
  TypeValue(p, "1");
  SetFocus(GetDlgItem(p.window(), IDC_RESULT_EDIT));
  p.Pump();
  EXPECT_EQ(p.state().conversion.InputValuePresent, 0);
  EXPECT_EQ(p.Text(IDC_RESULT_EDIT), "");

  // Enter commits it all the same.
  TypeValue(p, "1");
  PressKey(GetDlgItem(p.window(), IDC_VALUE_EDIT), VK_RETURN);
  p.Pump();
  EXPECT_EQ(p.state().conversion.InputValuePresent, 1);
  EXPECT_EQ(p.Text(IDC_VALUE_EDIT), "1.0000");
  EXPECT_EQ(p.Text(IDC_RESULT_EDIT), "304.80 E-3");

  // A different value commits when the focus leaves.
  TypeValue(p, "10");
  SetFocus(GetDlgItem(p.window(), IDC_RESULT_EDIT));
  p.Pump();
  EXPECT_EQ(p.state().conversion.InputValue, 10.0);
  EXPECT_EQ(p.Text(IDC_RESULT_EDIT), "3.0480");
}

TEST(MainWindow, TheRoundedEchoNeverReplacesTheTypedValue) {
  TestProgram p(FeetToMetersIni());
  TypeValue(p, "1234.5678");
  PressKey(GetDlgItem(p.window(), IDC_VALUE_EDIT), VK_RETURN);
  p.Pump();
  EXPECT_EQ(p.Text(IDC_VALUE_EDIT), "1.2346 E3");
  EXPECT_EQ(p.Text(IDC_RESULT_EDIT), "376.30");  // 1234.5678 ft, not 1234.6 ft
  SetFocus(GetDlgItem(p.window(), IDC_RESULT_EDIT));
  p.Pump();
  EXPECT_EQ(p.state().conversion.InputValue, 1234.5678);
  EXPECT_EQ(p.Text(IDC_RESULT_EDIT), "376.30");

  // A value typed over the echo is the user's and commits.
  TypeValue(p, "1 234.6");
  SetFocus(GetDlgItem(p.window(), IDC_RESULT_EDIT));
  p.Pump();
  EXPECT_EQ(p.state().conversion.InputValue, 1234.6);
}

// Enter on the echo as the program wrote it keeps the full value, also at the next start.
TEST(MainWindow, EnterOnTheUntouchedEchoKeepsTheFullValue) {
  std::string saved;
  {
    TestProgram p(FeetToMetersIni("", "InputValue=1234.5678\r\nInputValuePresent=TRUE\r\n"));
    ASSERT_EQ(p.Text(IDC_VALUE_EDIT), "1.2346 E3");
    for (int i = 0; i < 2; ++i) {
      PressKey(GetDlgItem(p.window(), IDC_VALUE_EDIT), VK_RETURN);
      p.Pump();
    }
    EXPECT_EQ(p.state().conversion.InputValue, 1234.5678);
    EXPECT_EQ(p.Text(IDC_RESULT_EDIT), "376.30");
    SendMessageA(p.window(), WM_COMMAND, IDM_EXIT, 0);
    p.Pump();
    saved = p.ReadIni();
  }
  EXPECT_NE(saved.find("InputValue=1234.567800000"), std::string::npos) << saved;

  // An empty field the program left empty (no value yet) still commits 0 on Enter.
  TestProgram fresh(FeetToMetersIni());
  PressKey(GetDlgItem(fresh.window(), IDC_VALUE_EDIT), VK_RETURN);
  fresh.Pump();
  EXPECT_EQ(fresh.state().conversion.InputValuePresent, 1);
  EXPECT_EQ(fresh.state().conversion.InputValue, 0.0);
}

// A place saved on a monitor that is not there opens at the default place, in the mode's size.
TEST(MainWindow, AWindowSavedOffScreenOpensAtTheDefaultPlace) {
  const struct {
    const char* keys;
    LONG left, top;
  } rows[] = {
      {"normleft=30000\r\nnormtop=20000\r\nnormright=30510\r\nnormbottom=20117\r\n", 10, 10},
      {"normleft=40\r\nnormtop=30\r\nnormright=550\r\nnormbottom=147\r\n", 40, 30},
  };
  for (const auto& r : rows) {
    TestProgram p(FeetToMetersIni((std::string("[Window]\r\n") + r.keys).c_str()));
    RECT place;
    GetWindowRect(p.window(), &place);
    EXPECT_EQ(place.left, r.left) << r.keys;
    EXPECT_EQ(place.top, r.top) << r.keys;
    EXPECT_EQ(place.right - place.left, 85 * p.state().CharWidth) << r.keys;
    EXPECT_EQ(place.bottom - place.top, 9 * p.state().CharHeight) << r.keys;
  }
}

TEST(MainWindow, SwapExchangesSlotZeroInSimpleModeAndEverySlotInMultiUnitMode) {
  std::string extra =
      "DimensionIndex1=4\r\nInputUnitIndex1=2\r\nInputUnitMult1=3600\r\nInputUnitSelected1=TRUE\r\n";
  TestProgram p(FeetToMetersIni("", extra.c_str()));
  SendMessageA(p.window(), WM_COMMAND, IDM_SWAP_UNITS, 0);
  EXPECT_EQ(p.Text(IDC_INPUT_LABEL_FIRST), "meter");
  EXPECT_EQ(p.Text(IDC_OUTPUT_LABEL_FIRST), "foot");
  // Slot 1 keeps its choice for multi-unit mode.
  EXPECT_EQ(p.state().conversion.QuantityRecords[1].Input.UnitSelected, 1);
  EXPECT_EQ(p.state().conversion.QuantityRecords[1].Output.UnitSelected, 0);

  SendMessageA(p.window(), WM_COMMAND, IDM_MULTI_MODE, 0);
  EXPECT_EQ(p.Text(IDC_INPUT_LABEL_FIRST + 1), "hour");
  SendMessageA(p.window(), WM_COMMAND, IDC_SWAP_MULTI, 0);
  EXPECT_EQ(p.Text(IDC_INPUT_LABEL_FIRST), "foot");
  EXPECT_EQ(p.Text(IDC_OUTPUT_LABEL_FIRST), "meter");
  EXPECT_EQ(p.Text(IDC_INPUT_LABEL_FIRST + 1), "");
  EXPECT_EQ(p.Text(IDC_OUTPUT_LABEL_FIRST + 1), "hour");
}

TEST(MainWindow, ModeCommandsRebuildTheLayout) {
  TestProgram p(FeetToMetersIni());
  HMENU menu = GetMenu(p.window());
  auto checked = [&](UINT id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; };
  struct Step {
    int command;
    bool multi;
  } steps[] = {
      {IDM_SIMPLE_MODE, false},  // Ctrl+S in simple mode does nothing
      {IDM_MULTI_MODE, true},    {IDM_MULTI_MODE, true}, {IDM_TOGGLE_MODE, false},
      {IDM_TOGGLE_MODE, true},   {IDM_SIMPLE_MODE, false},
  };
  for (const Step& s : steps) {
    SendMessageA(p.window(), WM_COMMAND, static_cast<WPARAM>(s.command), 0);
    EXPECT_EQ(p.state().conversion.MultiDimensional, s.multi ? 1 : 0) << s.command;
    EXPECT_EQ(checked(IDM_MULTI_MODE), s.multi) << s.command;
    EXPECT_EQ(checked(IDM_SIMPLE_MODE), !s.multi) << s.command;
    EXPECT_EQ(HasControl(p.window(), IDC_SWAP_MULTI), s.multi);
    EXPECT_EQ(HasControl(p.window(), IDC_SWAP_SIMPLE), !s.multi);
    for (int slot = 1; slot < kSlotCount; ++slot) {
      EXPECT_EQ(HasControl(p.window(), IDC_INPUT_UNIT_BUTTON_FIRST + slot), s.multi);
      EXPECT_EQ(HasControl(p.window(), IDC_OUTPUT_LABEL_FIRST + slot), s.multi);
    }
    EXPECT_EQ(p.Text(IDC_INPUT_LABEL_FIRST), "foot");
    RECT r;
    GetWindowRect(p.window(), &r);
    EXPECT_EQ(r.right - r.left, (s.multi ? 89 : 85) * p.state().CharWidth);
  }
  // Accelerators reach the commands through the message loop.
  SetFocus(GetDlgItem(p.window(), IDC_VALUE_EDIT));
  keybd_event(VK_CONTROL, 0, 0, 0);
  keybd_event('T', 0, 0, 0);
  keybd_event('T', 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
  EXPECT_TRUE(testing::PumpUntil([&] { return p.state().conversion.MultiDimensional == 1; }));
}

TEST(MainWindow, EditMenuFollowsFocusSelectionAndConversion) {
  TestProgram p(FeetToMetersIni());
  HMENU edit = GetSubMenu(GetMenu(p.window()), 1);
  auto enabled = [&](UINT id) { return (GetMenuState(edit, id, MF_BYCOMMAND) & MF_GRAYED) == 0; };
  auto open = [&] { SendMessageA(p.window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1); };

  TypeValue(p, "12");
  SendDlgItemMessageA(p.window(), IDC_VALUE_EDIT, EM_SETSEL, 0, 0);
  open();
  EXPECT_FALSE(enabled(IDM_CUT));
  EXPECT_FALSE(enabled(IDM_COPY));
  EXPECT_TRUE(enabled(IDM_PASTE));
  EXPECT_FALSE(enabled(IDM_COPY_RESULT));
  EXPECT_FALSE(enabled(IDM_COPY_ALL));

  PressKey(GetDlgItem(p.window(), IDC_VALUE_EDIT), VK_RETURN);  // converts, selects the text
  open();
  EXPECT_TRUE(enabled(IDM_CUT));
  EXPECT_TRUE(enabled(IDM_COPY));
  EXPECT_TRUE(enabled(IDM_COPY_RESULT));
  EXPECT_TRUE(enabled(IDM_COPY_ALL));

  // The read-only result edit with its text selected: only Copy (and the copy commands).
  SetFocus(GetDlgItem(p.window(), IDC_RESULT_EDIT));
  SendDlgItemMessageA(p.window(), IDC_RESULT_EDIT, EM_SETSEL, 0, -1);
  open();
  EXPECT_FALSE(enabled(IDM_CUT));
  EXPECT_TRUE(enabled(IDM_COPY));
  EXPECT_FALSE(enabled(IDM_PASTE));
  EXPECT_FALSE(enabled(IDM_UNDO));
  EXPECT_TRUE(enabled(IDM_COPY_RESULT));

  // Another popup, or the window menu, changes nothing.
  SetFocus(GetDlgItem(p.window(), IDC_VALUE_EDIT));
  SendDlgItemMessageA(p.window(), IDC_VALUE_EDIT, EM_SETSEL, 0, 0);
  SendMessageA(p.window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), MAKELPARAM(1, 1));
  EXPECT_TRUE(enabled(IDM_COPY));
}

TEST(MainWindow, EditCommandsActOnTheFocusedControl) {
  TestProgram p(FeetToMetersIni());
  TypeValue(p, "42");
  SendDlgItemMessageA(p.window(), IDC_VALUE_EDIT, EM_SETSEL, 0, -1);
  SendMessageA(p.window(), WM_COMMAND, IDM_CUT, 0);
  EXPECT_EQ(p.Text(IDC_VALUE_EDIT), "");
  SendMessageA(p.window(), WM_COMMAND, IDM_PASTE, 0);
  EXPECT_EQ(p.Text(IDC_VALUE_EDIT), "42");
  SendDlgItemMessageA(p.window(), IDC_VALUE_EDIT, EM_SETSEL, 2, 2);
  SendDlgItemMessageA(p.window(), IDC_VALUE_EDIT, WM_CHAR, '7', 0);
  EXPECT_EQ(p.Text(IDC_VALUE_EDIT), "427");
  SendMessageA(p.window(), WM_COMMAND, IDM_UNDO, 0);
  EXPECT_EQ(p.Text(IDC_VALUE_EDIT), "42");
  SendDlgItemMessageA(p.window(), IDC_VALUE_EDIT, EM_SETSEL, 0, -1);
  SendMessageA(p.window(), WM_COMMAND, IDM_COPY, 0);
  SetFocus(GetDlgItem(p.window(), IDC_RESULT_EDIT));  // leaving commits 42 ft
  EXPECT_EQ(p.Text(IDC_RESULT_EDIT), "12.802");
  SendMessageA(p.window(), WM_COMMAND, IDM_PASTE, 0);  // the result edit is read-only
  EXPECT_EQ(p.Text(IDC_RESULT_EDIT), "12.802");
}

TEST(MainWindow, SaveThenLoadGivesTheSameState) {
  std::string saved;
  {
    TestProgram p(FeetToMetersIni("[USER_PREFERENCES]\r\nValueDisplayType=FIXED_DECIMAL\r\n"
                                  "PlacesRightOfDecimal=3\r\nTruncateTrailingZeroes=TRUE\r\n"));
    TypeValue(p, "2.5");
    PressKey(GetDlgItem(p.window(), IDC_VALUE_EDIT), VK_RETURN);
    SendMessageA(p.window(), WM_COMMAND, IDM_MULTI_MODE, 0);
    SendMessageA(p.window(), WM_COMMAND, IDM_EXIT, 0);
    p.Pump();
    EXPECT_TRUE(p.Closed());
    saved = p.ReadIni();
  }
  EXPECT_NE(saved.find("MultiDimensional=TRUE"), std::string::npos);
  EXPECT_NE(saved.find("InputValue=2.500000000"), std::string::npos);
  EXPECT_NE(saved.find("normleft=10"), std::string::npos);
  // Restarted, the window shows what it showed: the mode, the labels, the value and result
  // in the saved format. (Each key's round trip is checked on the settings themselves.)
  TestProgram again(saved);
  EXPECT_EQ(again.state().conversion.MultiDimensional, 1);
  EXPECT_TRUE(HasControl(again.window(), IDC_SWAP_MULTI));
  EXPECT_EQ(again.Text(IDC_INPUT_LABEL_FIRST) + " " + again.Text(IDC_OUTPUT_LABEL_FIRST),
            "foot meter");
  EXPECT_EQ(again.Text(IDC_VALUE_EDIT), "2.5");
  EXPECT_EQ(again.Text(IDC_RESULT_EDIT), "0.762");
}

// The messages' texts are checked on the settings and the catalogue readers; here the window
// shows one of them, ends, and leaves the settings file as it was (or absent).
TEST(MainWindow, AFailedStartShowsItsMessageEndsAndLeavesTheSettingsFileAlone) {
  const struct {
    const char* name;
    std::string ini;
    std::string catalogue;
  } cases[] = {
      {"no settings file", "", testing::DefaultCatalogue()},
      {"no units data file", FeetToMetersIni(), ""},
      {"no multipliers", FeetToMetersIni(), "[Length]\nmeter=1\n"},
  };
  for (const auto& c : cases) {
    TestProgram p(c.ini, c.catalogue);
    EXPECT_TRUE(p.Closed()) << c.name;
    ASSERT_EQ(p.reporter().messages.size(), 1u) << c.name;
    EXPECT_EQ(p.reporter().messages[0].title, "Quantora Error") << c.name;
    EXPECT_EQ(p.reporter().messages[0].style, static_cast<unsigned>(MB_ICONHAND)) << c.name;
    EXPECT_EQ(p.ReadIni(), c.ini) << c.name;  // byte for byte, or still absent
    EXPECT_EQ(testing::FileExists(p.IniPath()), !c.ini.empty()) << c.name;
  }
}

std::string g_boxText, g_boxTitle;

BOOL CALLBACK FindVisibleDialog(HWND w, LPARAM out) {
  char cls[16] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (std::strcmp(cls, "#32770") == 0 && IsWindowVisible(w)) {
    *reinterpret_cast<HWND*>(out) = w;
    return FALSE;
  }
  return TRUE;
}

// Answers a message box from a timer that runs inside its modal loop.
void CALLBACK AnswerMessageBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleDialog, reinterpret_cast<LPARAM>(&box));
  if (!box) return;
  char text[512] = {}, title[128] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  GetWindowTextA(box, title, sizeof title);
  g_boxText = text;
  g_boxTitle = title;
  KillTimer(nullptr, id);
  SendMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST(MainWindow, MessagesReachTheUserThroughARealMessageBox) {
  g_boxText.clear();
  g_boxTitle.clear();
  UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerMessageBox);
  WinReporter reporter(nullptr);
  reporter.ShowMessage("ERROR: Could not find Dimension Label 'x' in File:'QUANTORA.TXT'!",
                       "Quantora", kStyleStop);
  KillTimer(nullptr, timer);
  EXPECT_EQ(g_boxText, "ERROR: Could not find Dimension Label 'x' in File:'QUANTORA.TXT'!");
  EXPECT_EQ(g_boxTitle, "Quantora");
}

std::vector<HelpCall> g_helpCalls;
void RecordHelp(const HelpCall& call) { g_helpCalls.push_back(call); }

TEST(MainWindow, HelpGoesToTheViewerWithTheWindowsContextTable) {
  TestProgram p(FeetToMetersIni());
  g_helpCalls.clear();
  SetHelpHook(RecordHelp);
  SendMessageA(p.window(), WM_COMMAND, IDM_HELP_CONTENTS, 0);
  SendMessageA(p.window(), WM_COMMAND, IDM_HELP_ON_HELP, 0);
  HWND result = GetDlgItem(p.window(), IDC_RESULT_EDIT);
  HELPINFO info{};
  info.cbSize = sizeof info;
  info.iContextType = HELPINFO_WINDOW;
  info.hItemHandle = result;
  info.iCtrlId = IDC_RESULT_EDIT;
  EXPECT_EQ(SendMessageA(p.window(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info)), TRUE);
  info.iContextType = HELPINFO_MENUITEM;  // help on a menu brings nothing
  EXPECT_EQ(SendMessageA(p.window(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info)), TRUE);
  EXPECT_EQ(SendMessageA(p.window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(result), 0), TRUE);
  ASSERT_EQ(g_helpCalls.size(), 4u);
  const UINT commands[] = {HELP_FORCEFILE, HELP_HELPONHELP, HELP_WM_HELP, HELP_CONTEXTMENU};
  const HWND windows[] = {p.window(), p.window(), result, result};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(g_helpCalls[i].file, "QUANTORA.HLP");
    EXPECT_EQ(g_helpCalls[i].command, commands[i]);
    EXPECT_EQ(g_helpCalls[i].window, windows[i]);
  }
  EXPECT_EQ(g_helpCalls[2].data, reinterpret_cast<ULONG_PTR>(HelpContextTable));
}

}  // namespace
}  // namespace quantora
