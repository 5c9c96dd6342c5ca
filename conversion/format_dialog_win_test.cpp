// The Numeric Format dialog driven for real: opened from the main window by its command, acted
// on with the messages a user's clicks and keys produce, and closed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "shell/help_win.h"
#include "app/window_test_support_win.h"
#include "resources/convert.h"
#include "resources/strings.h"

namespace quantora {
namespace {

using testing::RunDialog;
using testing::TestProgram;

const char kDigitsMessage[] =
    "The value you entered is not within the allowed range.\rThe range for this field is: 1 to 8.";
const char kPlacesMessage[] =
    "The value you entered is not within the allowed range.\rThe range for this field is: 0 to 8.";

std::string ItemText(HWND dialog, int id) {
  char text[64] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

// The dialog manager's handling of a key pressed in a control of the dialog.
void PressKey(HWND dialog, int controlId, WPARAM key) {
  testing::PressDialogKey(dialog, GetDlgItem(dialog, controlId), key);
}

void Click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }

void CloseByBox(HWND dialog) { SendMessageA(dialog, WM_CLOSE, 0, 0); }

// Slot 0 of simple mode with plain units on both sides and a committed value, shown in the
// main window.
void ShowConversion(TestProgram& program, double value) {
  ConversionState& state = program.state().conversion;
  state.MultiDimensional = 0;
  QuantityRecord& slot = state.QuantityRecords[0];
  for (UnitSelection* side : {&slot.Input, &slot.Output}) {
    side->UnitMult = 1.0;
    side->UnitOffset = 0.0;
    side->UnitScalerMult = 1.0;
    side->UnitSelected = 1;
  }
  state.InputValue = value;
  state.InputValuePresent = 1;
  RecomputeResult(program.window());
}

TEST(NumericFormatDialogWin, OpensShowingTheCurrentFormat) {
  const struct {
    Notation notation;
    int digits, places, truncate;
    const char* shown;  // digits, places, the checked buttons
  } cases[] = {{ENGINEERING, 5, 5, 0, "5 5 Engineering"},
               {SCIENTIFIC, 3, 0, 1, "3 0 Scientific Truncate"},
               {FIXED_DECIMAL, 8, 2, 1, "8 2 Fixed Truncate"}};
  const std::pair<int, const char*> buttons[] = {{IDC_ENGINEERING, "Engineering"},
                                                 {IDC_SCIENTIFIC, "Scientific"},
                                                 {IDC_FIXED_DECIMAL, "Fixed"},
                                                 {IDC_TRUNCATE, "Truncate"}};
  for (const auto& c : cases) {
    TestProgram program;
    program.state().format = {c.notation, c.digits, c.places, c.truncate};
    std::string shown;
    ASSERT_TRUE(RunDialog(program.window(), IDM_NUMERIC_FORMAT, [&](HWND dialog) {
      shown = ItemText(dialog, IDC_DIGITS_EDIT) + " " + ItemText(dialog, IDC_PLACES_EDIT);
      for (const auto& [id, name] : buttons) {
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) shown += std::string(" ") + name;
      }
      CloseByBox(dialog);
    }));
    EXPECT_EQ(shown, c.shown) << "notation " << c.notation;
  }
}

// A number out of range is refused with the range message box and a beep, whether the focus
// leaves the edit by Enter or by a click; the edit shows the kept number again.
TEST(NumericFormatDialogWin, EditChecksOnLeavingAnEdit) {
  const struct {
    const char* name;
    int edit;
    const char* typed;
    bool byEnter;
    const char* message;  // nullptr: accepted silently
    int digitsAfter, placesAfter;
    const char* shown;
  } cases[] = {
      {"9 digits by Enter", IDC_DIGITS_EDIT, "9", true, kDigitsMessage, 5, 5, "5"},
      {"0 digits", IDC_DIGITS_EDIT, "0", false, kDigitsMessage, 5, 5, "5"},
      {"3 digits by Enter", IDC_DIGITS_EDIT, "3", true, nullptr, 3, 5, "3"},
      {"007 places", IDC_PLACES_EDIT, "007", false, nullptr, 5, 7, "7"},
      {"9 places by Enter", IDC_PLACES_EDIT, "9", true, kPlacesMessage, 5, 5, "5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestProgram program;
    program.state().format = {c.edit == IDC_PLACES_EDIT ? FIXED_DECIMAL : ENGINEERING, 5, 5, 0};
    std::string shown;
    bool open = false;
    int focusAfter = 0;
    ASSERT_TRUE(RunDialog(program.window(), IDM_NUMERIC_FORMAT, [&](HWND dialog) {
      SetFocus(GetDlgItem(dialog, c.edit));
      SetDlgItemTextA(dialog, c.edit, c.typed);
      if (c.byEnter) {
        PressKey(dialog, c.edit, VK_RETURN);  // the hidden default button moves the focus on
      } else {
        SetFocus(GetDlgItem(dialog, IDC_NOTATION_GROUP));
      }
      shown = ItemText(dialog, c.edit);
      open = IsWindow(dialog) && IsWindowVisible(dialog);
      focusAfter = GetDlgCtrlID(GetFocus());
      CloseByBox(dialog);
    }));
    EXPECT_EQ(shown, c.shown);
    EXPECT_TRUE(open);
    if (c.byEnter) {
      EXPECT_EQ(focusAfter, IDC_NOTATION_GROUP);
    }
    EXPECT_EQ(program.state().format.SignificantDigits, c.digitsAfter);
    EXPECT_EQ(program.state().format.PlacesRightOfDecimal, c.placesAfter);
    const auto& messages = program.reporter().messages;
    if (c.message) {
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_EQ(messages[0].text, c.message);
      EXPECT_EQ(messages[0].title, QA_STR_INFORMATION_TITLE);
      EXPECT_EQ(messages[0].style, static_cast<unsigned>(MB_OK | MB_ICONINFORMATION));
      EXPECT_EQ(program.reporter().beeps, std::vector<unsigned>{MB_ICONASTERISK});
    } else {
      EXPECT_TRUE(messages.empty());
      EXPECT_TRUE(program.reporter().beeps.empty());
    }
  }
}

// The scroll bars step the notation's own number; a refused step beeps and says nothing else.
TEST(NumericFormatDialogWin, ScrollStepsStayWithinTheBoundsAndBeepThere) {
  const struct {
    Notation notation;
    int start;
    std::vector<WPARAM> codes;
    int after;
    std::vector<unsigned> beeps;
  } cases[] = {
      {ENGINEERING, 7, {SB_LINEUP, SB_LINEUP, SB_LINEUP}, 8, {0, 0}},  // two refused steps
      {SCIENTIFIC, 5, {SB_PAGEUP, SB_THUMBPOSITION, SB_ENDSCROLL}, 6, {}},
      {FIXED_DECIMAL, 1, {SB_LINEDOWN, SB_LINEDOWN, SB_LINEUP}, 1, {0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "notation " << c.notation << " from " << c.start);
    TestProgram program;
    const bool places = c.notation == FIXED_DECIMAL;
    program.state().format = {c.notation, places ? 5 : c.start, places ? c.start : 5, 0};
    std::string shown;
    ASSERT_TRUE(RunDialog(program.window(), IDM_NUMERIC_FORMAT, [&](HWND dialog) {
      const int bar = places ? IDC_PLACES_SCROLL : IDC_DIGITS_SCROLL;
      for (WPARAM code : c.codes) {
        SendMessageA(dialog, WM_VSCROLL, code, reinterpret_cast<LPARAM>(GetDlgItem(dialog, bar)));
      }
      shown = ItemText(dialog, places ? IDC_PLACES_EDIT : IDC_DIGITS_EDIT);
      CloseByBox(dialog);
    }));
    const NumericFormat& format = program.state().format;
    EXPECT_EQ(places ? format.PlacesRightOfDecimal : format.SignificantDigits, c.after);
    EXPECT_EQ(shown, std::to_string(c.after));
    EXPECT_EQ(program.reporter().beeps, c.beeps);
    EXPECT_TRUE(program.reporter().messages.empty());
  }
}

// Each click takes effect at once: the notation and the truncation setting change, the check
// box follows, and only the chosen notation's digit controls are enabled (a disabled edit keeps
// showing its number).
TEST(NumericFormatDialogWin, NotationButtonsAndTheCheckBoxActAtOnce) {
  TestProgram program;
  program.state().format = {ENGINEERING, 4, 2, 0};
  const int controls[] = {IDC_PLACES_LABEL, IDC_PLACES_EDIT,  IDC_PLACES_SCROLL,
                          IDC_DIGITS_LABEL, IDC_DIGITS_EDIT, IDC_DIGITS_SCROLL};
  const struct {
    int click;
    Notation stored;
    int truncate;
    const char* enabled;  // the six controls above
  } steps[] = {
      {0, ENGINEERING, 0, "000111"},
      {IDC_FIXED_DECIMAL, FIXED_DECIMAL, 0, "111000"},
      {IDC_SCIENTIFIC, SCIENTIFIC, 0, "000111"},
      {IDC_TRUNCATE, SCIENTIFIC, 1, "000111"},
      {IDC_FIXED_DECIMAL, FIXED_DECIMAL, 1, "111000"},
      {IDC_TRUNCATE, FIXED_DECIMAL, 0, "111000"},
      {IDC_ENGINEERING, ENGINEERING, 0, "000111"},
  };
  std::vector<std::string> seen;
  ASSERT_TRUE(RunDialog(program.window(), IDM_NUMERIC_FORMAT, [&](HWND dialog) {
    for (const auto& step : steps) {
      if (step.click) Click(dialog, step.click);
      const NumericFormat& f = program.state().format;
      std::string s = std::to_string(f.ValueDisplayType) + " " +
                      std::to_string(f.TruncateTrailingZeroes) +
                      (IsDlgButtonChecked(dialog, IDC_TRUNCATE) ? " checked " : " unchecked ");
      for (int id : controls) s += IsWindowEnabled(GetDlgItem(dialog, id)) ? '1' : '0';
      seen.push_back(s + " " + ItemText(dialog, IDC_DIGITS_EDIT) + ItemText(dialog, IDC_PLACES_EDIT));
    }
    CloseByBox(dialog);
  }));
  ASSERT_EQ(seen.size(), sizeof steps / sizeof steps[0]);
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i], std::to_string(steps[i].stored) + " " + std::to_string(steps[i].truncate) +
                           (steps[i].truncate ? " checked " : " unchecked ") + steps[i].enabled +
                           " 42")
        << "step " << i << ", clicking " << steps[i].click;
  }
}

TEST(NumericFormatDialogWin, EscapeAndEnterOnNothingLeaveTheDialogOpen) {
  TestProgram program;
  bool openAfterEscape = false;
  ASSERT_TRUE(RunDialog(program.window(), IDM_NUMERIC_FORMAT, [&](HWND dialog) {
    PressKey(dialog, IDC_ENGINEERING, VK_ESCAPE);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    openAfterEscape = IsWindow(dialog) && IsWindowVisible(dialog);
    CloseByBox(dialog);
  }));
  EXPECT_TRUE(openAfterEscape);
}

TEST(NumericFormatDialogWin, OkAndTheCloseBoxBothApplyTheFormatToTheMainWindow) {
  const struct {
    const char* name;
    void (*close)(HWND dialog);
  } ways[] = {
      {"OK", [](HWND dialog) { Click(dialog, IDC_FORMAT_OK); }},
      {"close box", CloseByBox},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.name);
    TestProgram program;
    program.state().format = {ENGINEERING, 5, 5, 0};
    ShowConversion(program, 12345.678);
    ASSERT_EQ(program.Text(IDC_RESULT_EDIT), "12.346 E3");
    std::string whileOpen;
    ASSERT_TRUE(RunDialog(program.window(), IDM_NUMERIC_FORMAT, [&](HWND dialog) {
      Click(dialog, IDC_SCIENTIFIC);
      SendMessageA(dialog, WM_VSCROLL, SB_LINEDOWN, 0);  // 4 digits
      whileOpen = program.Text(IDC_RESULT_EDIT);
      way.close(dialog);
    }));
    // The main window keeps its old texts until the dialog ends.
    EXPECT_EQ(whileOpen, "12.346 E3");
    EXPECT_EQ(program.Text(IDC_RESULT_EDIT), "1.235 E4");
    EXPECT_EQ(program.Text(IDC_VALUE_EDIT), "1.235 E4");
  }
}

TEST(NumericFormatDialogWin, ClosingWithANumberStillInTheEditAppliesItFirst) {
  // The close box leaves the focus in the edit: the typed number is checked before the main
  // window is redrawn, not afterwards.
  const struct {
    const char* typed;
    const char* result;
    size_t messages;
  } cases[] = {{"3", "12.3 E3", 0}, {"9", "12.346 E3", 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    TestProgram program;
    program.state().format = {ENGINEERING, 5, 5, 0};
    ShowConversion(program, 12345.678);
    ASSERT_TRUE(RunDialog(program.window(), IDM_NUMERIC_FORMAT, [&](HWND dialog) {
      SetFocus(GetDlgItem(dialog, IDC_DIGITS_EDIT));
      SetDlgItemTextA(dialog, IDC_DIGITS_EDIT, c.typed);
      CloseByBox(dialog);
    }));
    EXPECT_EQ(program.Text(IDC_RESULT_EDIT), c.result);
    EXPECT_EQ(program.reporter().messages.size(), c.messages);
  }
}

std::vector<HelpCall> g_helpCalls;
void RecordHelp(const HelpCall& call) { g_helpCalls.push_back(call); }

TEST(NumericFormatDialogWin, HelpRequestsPassTheDialogsTable) {
  TestProgram program;
  g_helpCalls.clear();
  SetHelpHook(RecordHelp);
  HWND digitsEdit = nullptr, okButton = nullptr;
  ASSERT_TRUE(RunDialog(program.window(), IDM_NUMERIC_FORMAT, [&](HWND dialog) {
    digitsEdit = GetDlgItem(dialog, IDC_DIGITS_EDIT);
    okButton = GetDlgItem(dialog, IDC_FORMAT_OK);
    HELPINFO info = {};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = IDC_DIGITS_EDIT;
    info.hItemHandle = digitsEdit;
    SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    info.iContextType = HELPINFO_MENUITEM;  // no call for a menu
    SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(okButton), MAKELPARAM(10, 10));
    CloseByBox(dialog);
  }));
  SetHelpHook(nullptr);
  ASSERT_EQ(g_helpCalls.size(), 2u);
  EXPECT_EQ(g_helpCalls[0].window, digitsEdit);
  EXPECT_EQ(g_helpCalls[0].file, "QUANTORA.HLP");
  EXPECT_EQ(g_helpCalls[0].command, static_cast<UINT>(HELP_WM_HELP));
  EXPECT_EQ(g_helpCalls[1].window, okButton);
  EXPECT_EQ(g_helpCalls[1].command, static_cast<UINT>(HELP_CONTEXTMENU));
  EXPECT_EQ(g_helpCalls[0].data, g_helpCalls[1].data);
  // The digits edit leads to the digits topic.
  const DWORD* table = reinterpret_cast<const DWORD*>(g_helpCalls[0].data);
  DWORD topic = 0;
  for (; table[0] != 0; table += 2) {
    if (table[0] == IDC_DIGITS_EDIT) topic = table[1];
  }
  EXPECT_EQ(topic, static_cast<DWORD>(HC_DIGITS));
}

}  // namespace
}  // namespace quantora
