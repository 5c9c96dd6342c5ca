// The unit selection dialog driven for real: opened from the main window's unit buttons, its
// lists picked and its buttons pressed, the labels and records read back afterwards.
#include "units/unit_dialog_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "shell/help_win.h"
#include "app/window_test_support_win.h"
#include "resources/convert.h"

namespace quantora {
namespace {

using quantora::testing::DefaultIni;
using quantora::testing::RunDialog;
using quantora::testing::TestProgram;

const char kCatalogue[] =
    "[Length]\n"
    "meter=1\n"
    "foot=0.3048\n"
    "[Area]\n"
    "Square ^meters=1\n"
    "acre=4046.8564224\n"
    "[Volume]\n"
    "Cubic ^meters=1\n"
    "[Temperature]\n"
    "Kelvin=1\n"
    "Celsius = 1, 273.15\n"
    "[MULTIPLIERS]\n"
    "kilo=1000\n"
    "No_Multiplier=1\n"
    "centi=0.01\n"
    "milli=0.001\n";

enum Quantity { kLength = 0, kArea = 1, kVolume = 2 };
enum Multiplier { kKilo = 0, kNone = 1 };
constexpr int kNoRow = -1;

// Every slot starts without a quantity and without a multiplier.
std::string EmptySlotsIni() {
  std::string ini = DefaultIni() + "[LAST_USED]\r\n";
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::string n = std::to_string(slot);
    ini += "DimensionIndex" + n + "=9999\r\nInputUnitScalerIndex" + n +
           "=" + std::to_string(kNone) + "\r\nOutputUnitScalerIndex" + n + "=" +
           std::to_string(kNone) + "\r\n";
  }
  return ini;
}

int InputButton(int slot) { return IDC_INPUT_UNIT_BUTTON_FIRST + slot; }
int OutputButton(int slot) { return IDC_OUTPUT_UNIT_BUTTON_FIRST + slot; }
int InputLabel(int slot) { return IDC_INPUT_LABEL_FIRST + slot; }
int OutputLabel(int slot) { return IDC_OUTPUT_LABEL_FIRST + slot; }

std::string WindowText(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// A pick as the user makes it: the row is selected and the list tells the dialog.
void Pick(HWND dialog, int listId, int row) {
  HWND list = GetDlgItem(dialog, listId);
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

void Click(HWND dialog, int buttonId) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

void Close(HWND dialog) { SendMessageA(dialog, WM_CLOSE, 0, 0); }

int ListMessage(HWND dialog, int listId, UINT message) {
  return static_cast<int>(SendDlgItemMessageA(dialog, listId, message, 0, 0));
}
int RowCount(HWND dialog, int listId) { return ListMessage(dialog, listId, LB_GETCOUNT); }
int SelectedRow(HWND dialog, int listId) { return ListMessage(dialog, listId, LB_GETCURSEL); }
std::string RowText(HWND dialog, int listId, int row) {
  char text[256] = {};
  SendDlgItemMessageA(dialog, listId, LB_GETTEXT, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(text));
  return text;
}

// Sends a key through the dialog manager, as the modal loop does with a real key press.
void PressKey(HWND dialog, WPARAM key) {
  HWND focus = GetFocus();
  testing::PressDialogKey(dialog, focus ? focus : GetDlgItem(dialog, IDC_QUANTITY_LIST), key);
}

class UnitDialogWindowTest : public ::testing::Test {
 protected:
  HWND window() { return program_.window(); }
  QuantityRecord& Slot(int slot) { return program_.state().conversion.QuantityRecords[slot]; }

  void SetMode(bool multi) {
    SendMessageA(window(), WM_COMMAND, multi ? IDM_MULTI_MODE : IDM_SIMPLE_MODE, 0);
    program_.Pump();
    ASSERT_EQ(program_.state().conversion.MultiDimensional, multi ? 1 : 0);
  }

  // One side's choice through its dialog; a quantity row of kNoRow keeps the slot's quantity.
  void Choose(int button, int quantity, int multiplier, int unit) {
    const bool shown = RunDialog(window(), button, [&](HWND dialog) {
      if (quantity != kNoRow) Pick(dialog, IDC_QUANTITY_LIST, quantity);
      if (multiplier != kNoRow) Pick(dialog, IDC_MULTIPLIER_LIST, multiplier);
      if (unit != kNoRow) Pick(dialog, IDC_UNIT_LIST, unit);
      Click(dialog, IDC_UNIT_OK);
    });
    ASSERT_TRUE(shown) << "button " << button;
  }

  TestProgram program_{EmptySlotsIni(), kCatalogue};
};

// The caption is the one the core gives for the mode, side and slot of the button pressed.
TEST_F(UnitDialogWindowTest, CaptionOfTheButtonPressed) {
  const struct {
    bool multi;
    int button;
    const char* caption;
  } rows[] = {
      {false, InputButton(0), "Unit Selection Dialog - Convert From..."},
      {false, OutputButton(0), "Unit Selection Dialog - Convert To..."},
      {true, OutputButton(2), "Unit Selection Dialog - Convert To Numerator..."},
      {true, InputButton(3), "Unit Selection Dialog - Convert From Denominator..."},
  };
  for (const auto& r : rows) {
    SetMode(r.multi);
    std::string caption;
    EXPECT_TRUE(RunDialog(window(), r.button, [&](HWND dialog) {
      caption = WindowText(dialog);
      Close(dialog);
    })) << "button " << r.button;
    EXPECT_EQ(caption, r.caption) << (r.multi ? "multi-unit" : "simple") << ", button " << r.button;
  }
}

// The labels of the slot's row in the main window go blank as soon as a quantity is picked,
// while the dialog is still open; the new quantity's units fill the Unit list.
TEST_F(UnitDialogWindowTest, PickingAQuantityEmptiesBothLabelsOfTheSlot) {
  for (const auto& [multi, slot] : {std::pair<bool, int>{false, 0}, {true, 4}}) {
    SCOPED_TRACE(std::string(multi ? "multi-unit" : "simple") + " mode, slot " +
                 std::to_string(slot));
    SetMode(multi);
    Choose(InputButton(slot), kLength, kNone, 0);
    Choose(OutputButton(slot), kNoRow, kKilo, 1);
    ASSERT_EQ(program_.Text(InputLabel(slot)), "meter");
    ASSERT_EQ(program_.Text(OutputLabel(slot)), "kilofoot");

    std::string labels, firstUnit;
    int multiplierRow = -2;
    ASSERT_TRUE(RunDialog(window(), InputButton(slot), [&](HWND dialog) {
      Pick(dialog, IDC_QUANTITY_LIST, kArea);
      labels = program_.Text(InputLabel(slot)) + "|" + program_.Text(OutputLabel(slot));
      firstUnit = RowText(dialog, IDC_UNIT_LIST, 0) + "/" +
                  std::to_string(RowCount(dialog, IDC_UNIT_LIST));
      multiplierRow = SelectedRow(dialog, IDC_MULTIPLIER_LIST);
      Close(dialog);
    }));
    EXPECT_EQ(labels, "|");
    EXPECT_EQ(firstUnit, "Square meters/2") << "rows show names without their caret";
    EXPECT_EQ(multiplierRow, kNone);
    EXPECT_EQ(program_.Text(OutputLabel(slot)), "") << "closing sets only the edited side";
  }
  EXPECT_TRUE(program_.reporter().messages.empty());
}

// OK, Enter and every kind of close (the close box too) end the dialog and keep the choice:
// the label goes to the main window and the conversion follows.
TEST_F(UnitDialogWindowTest, EveryWayOfClosingSetsTheLabelAndTheResult) {
  const struct {
    const char* how;
    void (*close)(HWND);
  } rows[] = {
      {"OK", [](HWND d) { Click(d, IDC_UNIT_OK); }},
      {"close box", [](HWND d) { SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"WM_CLOSE", Close},
      {"Enter", [](HWND d) { PressKey(d, VK_RETURN); }},
  };
  Choose(OutputButton(0), kArea, kNone, 1);  // acre
  SetDlgItemTextA(window(), IDC_VALUE_EDIT, "2");
  SendMessageA(window(), WM_COMMAND, IDM_ACCEPT_VALUE, 0);
  for (const auto& r : rows) {
    Choose(InputButton(0), kNoRow, kNone, 0);  // back to Square meters
    ASSERT_EQ(program_.Text(InputLabel(0)), "Square meters") << r.how;
    bool openBeforeClose = false;
    EXPECT_TRUE(RunDialog(window(), InputButton(0), [&](HWND dialog) {
      Pick(dialog, IDC_MULTIPLIER_LIST, kKilo);
      Pick(dialog, IDC_UNIT_LIST, 0);
      openBeforeClose = IsWindowVisible(dialog) != FALSE;
      r.close(dialog);
    })) << r.how << ": the dialog did not close";
    EXPECT_TRUE(openBeforeClose) << r.how;
    EXPECT_EQ(program_.Text(InputLabel(0)), "Square kilometers") << r.how;
    EXPECT_EQ(program_.Text(IDC_RESULT_EDIT), "494.21") << r.how << ": 2 km² in acres";
  }
  EXPECT_TRUE(program_.reporter().messages.empty());
}

TEST_F(UnitDialogWindowTest, EscapeAndCancelLeaveTheDialogOpen) {
  bool openAfterCancel = false, openAfterEscape = false;
  ASSERT_TRUE(RunDialog(window(), InputButton(0), [&](HWND dialog) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    openAfterCancel = IsWindowVisible(dialog) != FALSE;
    SetFocus(GetDlgItem(dialog, IDC_QUANTITY_LIST));
    PressKey(dialog, VK_ESCAPE);
    openAfterEscape = IsWindowVisible(dialog) != FALSE;
    // Still working: a pick after Escape takes effect as usual.
    Pick(dialog, IDC_QUANTITY_LIST, kLength);
    Pick(dialog, IDC_UNIT_LIST, 1);
    Click(dialog, IDC_UNIT_OK);
  }));
  EXPECT_TRUE(openAfterCancel);
  EXPECT_TRUE(openAfterEscape);
  EXPECT_EQ(program_.Text(InputLabel(0)), "foot");
}

TEST_F(UnitDialogWindowTest, UndoQuantityButtonIsEnabledAsTheSlotAllowsAndClearsIt) {
  Choose(InputButton(0), kLength, kNone, 0);
  Choose(OutputButton(0), kNoRow, kNone, 1);
  const struct {
    const char* name;
    bool multi;
    int button;
    bool enabled;
  } rows[] = {
      {"simple mode, slot with a quantity", false, InputButton(0), false},
      {"multi-unit mode, slot without a quantity", true, OutputButton(1), false},
      {"multi-unit mode, slot with a quantity", true, OutputButton(0), true},
  };
  for (const auto& r : rows) {
    SetMode(r.multi);
    int enabled = -1;
    EXPECT_TRUE(RunDialog(window(), r.button, [&](HWND dialog) {
      enabled = IsWindowEnabled(GetDlgItem(dialog, IDC_UNDO_QUANTITY)) ? 1 : 0;
      if (!enabled) Click(dialog, IDC_UNDO_QUANTITY);  // reaches a disabled button: no effect
      Close(dialog);
    })) << r.name;
    EXPECT_EQ(enabled, r.enabled ? 1 : 0) << r.name;
  }
  ASSERT_EQ(program_.Text(InputLabel(0)), "meter");

  // The button itself closes the dialog and blanks both labels.
  ASSERT_TRUE(RunDialog(window(), OutputButton(0),
                        [](HWND dialog) { Click(dialog, IDC_UNDO_QUANTITY); }));
  EXPECT_EQ(Slot(0).DimensionIndex, kNoDimension);
  EXPECT_EQ(program_.Text(InputLabel(0)) + "|" + program_.Text(OutputLabel(0)), "|");
  // Reopened, the slot shows nothing chosen.
  int quantityRow = 0, unitRows = -1;
  ASSERT_TRUE(RunDialog(window(), InputButton(0), [&](HWND dialog) {
    quantityRow = SelectedRow(dialog, IDC_QUANTITY_LIST);
    unitRows = RowCount(dialog, IDC_UNIT_LIST);
    Close(dialog);
  }));
  EXPECT_EQ(quantityRow, LB_ERR);
  EXPECT_EQ(unitRows, 0);
}

TEST_F(UnitDialogWindowTest, OpeningShowsTheSidesChoices) {
  Choose(InputButton(0), kArea, kKilo, 1);
  int quantityRows = -1, quantityRow = -1, multiplierRow = -1, unitRow = -1;
  ASSERT_TRUE(RunDialog(window(), InputButton(0), [&](HWND dialog) {
    quantityRows = RowCount(dialog, IDC_QUANTITY_LIST);
    quantityRow = SelectedRow(dialog, IDC_QUANTITY_LIST);
    multiplierRow = SelectedRow(dialog, IDC_MULTIPLIER_LIST);
    unitRow = SelectedRow(dialog, IDC_UNIT_LIST);
    Close(dialog);
  }));
  EXPECT_EQ(quantityRows, 4);
  EXPECT_EQ(quantityRow, kArea);
  EXPECT_EQ(multiplierRow, kKilo);
  EXPECT_EQ(unitRow, 1);
  EXPECT_EQ(program_.Text(InputLabel(0)), "kiloacre") << "reopening and closing keeps the choice";
}

// A read that fails is reported in a message box and the dialog goes on; an empty Unit list
// says so, and a stray notification from it picks nothing.
TEST_F(UnitDialogWindowTest, FailedReadsAreReportedAndTheDialogGoesOn) {
  SetMode(true);
  // The catalogue loses its Volume section while the program runs.
  std::ofstream(program_.state().dataPath, std::ios::binary | std::ios::trunc)
      << "[Length]\nmeter=1\nfoot=0.3048\n[MULTIPLIERS]\nkilo=1000\nNo_Multiplier=1\n";
  int unitRows = -1;
  bool open = false;
  ASSERT_TRUE(RunDialog(window(), InputButton(2), [&](HWND dialog) {
    Pick(dialog, IDC_QUANTITY_LIST, kVolume);
    unitRows = RowCount(dialog, IDC_UNIT_LIST);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_UNIT_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_UNIT_LIST)));
    open = IsWindowVisible(dialog) != FALSE;
    Close(dialog);
  }));
  EXPECT_TRUE(open);
  EXPECT_EQ(unitRows, 0);
  const auto& messages = program_.reporter().messages;
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].text.rfind("ERROR: Could not find Dimension Label 'Volume' in File:'", 0),
            0u) << messages[0].text;
  EXPECT_EQ(messages[0].title, "Quantora");
  EXPECT_EQ(messages[1].text, "ERROR: Number of Units for Units List = 0 !");
  EXPECT_EQ(Slot(2).Input.UnitSelected, 0);
  EXPECT_EQ(program_.Text(InputLabel(2)), "");
}

// A unit whose factor cannot be read is not taken: the list, the label and the result keep
// the unit chosen before.
TEST_F(UnitDialogWindowTest, AUnitThatCannotBeReadLeavesTheEarlierUnit) {
  Choose(InputButton(0), kLength, kNone, 1);  // foot
  Choose(OutputButton(0), kNoRow, kNone, 0);  // meter
  SetDlgItemTextA(window(), IDC_VALUE_EDIT, "2");
  SendMessageA(window(), WM_COMMAND, IDM_ACCEPT_VALUE, 0);
  const std::string result = program_.Text(IDC_RESULT_EDIT);
  ASSERT_EQ(result, "609.60 E-3");
  std::ofstream(program_.state().dataPath, std::ios::binary | std::ios::trunc)
      << "[Length]\nfoot=0.3048\n[MULTIPLIERS]\nkilo=1000\nNo_Multiplier=1\n";
  int unitRow = kNoRow;
  ASSERT_TRUE(RunDialog(window(), InputButton(0), [&](HWND dialog) {
    Pick(dialog, IDC_UNIT_LIST, 0);  // meter: no longer in the catalogue
    unitRow = SelectedRow(dialog, IDC_UNIT_LIST);
    Close(dialog);
  }));
  EXPECT_EQ(program_.reporter().messages.size(), 0u) << "a missing line is silent";
  EXPECT_EQ(unitRow, 1);
  EXPECT_EQ(program_.Text(InputLabel(0)), "foot");
  EXPECT_EQ(program_.Text(IDC_RESULT_EDIT), result);
}

std::vector<HelpCall> g_helpCalls;

TEST_F(UnitDialogWindowTest, ContextHelpOfTheLists) {
  g_helpCalls.clear();
  SetHelpHook([](const HelpCall& call) { g_helpCalls.push_back(call); });
  HWND multiplierList = nullptr;
  ASSERT_TRUE(RunDialog(window(), InputButton(0), [&](HWND dialog) {
    multiplierList = GetDlgItem(dialog, IDC_MULTIPLIER_LIST);
    SendMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(multiplierList),
                 MAKELPARAM(10, 10));
    Close(dialog);
  }));
  SetHelpHook(nullptr);
  ASSERT_EQ(g_helpCalls.size(), 1u);
  EXPECT_EQ(g_helpCalls[0].window, multiplierList);
  EXPECT_EQ(g_helpCalls[0].file, "QUANTORA.HLP");
  EXPECT_EQ(g_helpCalls[0].command, static_cast<UINT>(HELP_CONTEXTMENU));
  std::map<DWORD, DWORD> table;
  const DWORD* pair = reinterpret_cast<const DWORD*>(g_helpCalls[0].data);
  for (; pair[0] != 0 || pair[1] != 0; pair += 2) table[pair[0]] = pair[1];
  EXPECT_EQ(table[IDC_MULTIPLIER_LIST], static_cast<DWORD>(HC_MULTIPLIER));
}

}  // namespace
}  // namespace quantora
