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
#include "app/program_win.h"
#include "app/window_test_support_win.h"
#include "conversion/number_format.h"
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
QuantityRecord& Slot(int slot) { return TheProgram().conversion.QuantityRecords[slot]; }

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

int RowCount(HWND dialog, int listId) {
  return static_cast<int>(SendDlgItemMessageA(dialog, listId, LB_GETCOUNT, 0, 0));
}
int SelectedRow(HWND dialog, int listId) {
  return static_cast<int>(SendDlgItemMessageA(dialog, listId, LB_GETCURSEL, 0, 0));
}
std::string RowText(HWND dialog, int listId, int row) {
  char text[256] = {};
  SendDlgItemMessageA(dialog, listId, LB_GETTEXT, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(text));
  return text;
}

// Sends a key through the dialog manager, as the modal loop does with a real key press.
void PressKey(HWND dialog, WPARAM key) {
  HWND focus = GetFocus();
  MSG message = {};
  message.hwnd = focus ? focus : GetDlgItem(dialog, IDC_QUANTITY_LIST);
  message.message = WM_KEYDOWN;
  message.wParam = key;
  message.lParam = 1;
  IsDialogMessageA(dialog, &message);
}

class UnitDialogWindowTest : public ::testing::Test {
 protected:
  HWND window() { return program_.window(); }

  void SetMode(bool multi) {
    SendMessageA(window(), WM_COMMAND, multi ? IDM_MULTI_MODE : IDM_SIMPLE_MODE, 0);
    program_.Pump();
    ASSERT_EQ(TheProgram().conversion.MultiDimensional, multi ? 1 : 0);
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

TEST_F(UnitDialogWindowTest, CaptionForEachModeSideAndSlot) {
  struct Row {
    bool multi;
    int button;
    const char* caption;
  };
  std::vector<Row> rows = {
      {false, InputButton(0), "Unit Selection Dialog - Convert From..."},
      {false, OutputButton(0), "Unit Selection Dialog - Convert To..."},
  };
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const bool numerator = slot < 3;
    rows.push_back({true, InputButton(slot),
                    numerator ? "Unit Selection Dialog - Convert From Numerator..."
                              : "Unit Selection Dialog - Convert From Denominator..."});
    rows.push_back({true, OutputButton(slot),
                    numerator ? "Unit Selection Dialog - Convert To Numerator..."
                              : "Unit Selection Dialog - Convert To Denominator..."});
  }
  for (const Row& r : rows) {
    SetMode(r.multi);
    std::string caption;
    const bool shown = RunDialog(window(), r.button, [&](HWND dialog) {
      caption = WindowText(dialog);
      Close(dialog);
    });
    EXPECT_TRUE(shown) << "button " << r.button;
    EXPECT_EQ(caption, r.caption) << (r.multi ? "multi-unit" : "simple") << " mode, button "
                                  << r.button;
  }
}

TEST_F(UnitDialogWindowTest, PickingAQuantityEmptiesBothLabelsOfTheSlot) {
  struct Row {
    bool multi;
    int slot;
  } rows[] = {{false, 0}, {true, 4}};
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.multi ? "multi-unit" : "simple") + " mode, slot " +
                 std::to_string(r.slot));
    SetMode(r.multi);
    Choose(InputButton(r.slot), kLength, kNone, 0);
    Choose(OutputButton(r.slot), kNoRow, kKilo, 1);
    ASSERT_EQ(program_.Text(InputLabel(r.slot)), "meter");
    ASSERT_EQ(program_.Text(OutputLabel(r.slot)), "kilofoot");

    std::string inputLabel, outputLabel;
    int outputSelected = -1, unitRows = -1, multiplierRow = -2;
    std::string firstUnit;
    const bool shown = RunDialog(window(), InputButton(r.slot), [&](HWND dialog) {
      Pick(dialog, IDC_QUANTITY_LIST, kArea);
      // Both labels go blank at once, before the dialog closes.
      inputLabel = program_.Text(InputLabel(r.slot));
      outputLabel = program_.Text(OutputLabel(r.slot));
      outputSelected = Slot(r.slot).Output.UnitSelected;
      unitRows = RowCount(dialog, IDC_UNIT_LIST);
      firstUnit = RowText(dialog, IDC_UNIT_LIST, 0);
      multiplierRow = SelectedRow(dialog, IDC_MULTIPLIER_LIST);
      Close(dialog);
    });
    ASSERT_TRUE(shown);
    EXPECT_EQ(inputLabel, "");
    EXPECT_EQ(outputLabel, "");
    EXPECT_EQ(outputSelected, 0);
    EXPECT_EQ(unitRows, 2);
    EXPECT_EQ(firstUnit, "Square meters") << "rows show names without their caret";
    EXPECT_EQ(multiplierRow, kNone);
    EXPECT_EQ(Slot(r.slot).DimensionIndex, kArea);
    EXPECT_EQ(Slot(r.slot).Output.UnitScalerIndex, kNone);
    EXPECT_EQ(Slot(r.slot).Output.UnitMult, 1.0);
    EXPECT_EQ(program_.Text(InputLabel(r.slot)), "");
    EXPECT_EQ(program_.Text(OutputLabel(r.slot)), "");
  }
  EXPECT_TRUE(program_.reporter().messages.empty());
}

TEST_F(UnitDialogWindowTest, EveryWayOfClosingSetsTheLabelAndTheFactor) {
  struct Row {
    const char* how;
    int multiplier;
    int unit;
    const char* label;
    double scalerMult;
    void (*close)(HWND);
  } rows[] = {
      {"OK", kKilo, 0, "Square kilometers", 1.0e6, [](HWND d) { Click(d, IDC_UNIT_OK); }},
      {"close box", kKilo, 0, "Square kilometers", 1.0e6,
       [](HWND d) { SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"WM_CLOSE", kKilo, 0, "Square kilometers", 1.0e6, Close},
      {"Enter", kKilo, 0, "Square kilometers", 1.0e6, [](HWND d) { PressKey(d, VK_RETURN); }},
      {"OK, unmarked unit", kKilo, 1, "kiloacre", 1000.0, [](HWND d) { Click(d, IDC_UNIT_OK); }},
      {"OK, no multiplier", kNone, 0, "Square meters", 1.0, [](HWND d) { Click(d, IDC_UNIT_OK); }},
  };
  for (const Row& r : rows) {
    bool stillOpenBeforeClose = false;
    const bool shown = RunDialog(window(), InputButton(0), [&](HWND dialog) {
      Pick(dialog, IDC_QUANTITY_LIST, kArea);
      Pick(dialog, IDC_MULTIPLIER_LIST, r.multiplier);
      Pick(dialog, IDC_UNIT_LIST, r.unit);
      stillOpenBeforeClose = IsWindowVisible(dialog) != FALSE;
      r.close(dialog);
    });
    EXPECT_TRUE(shown) << r.how << ": the dialog did not close";
    EXPECT_TRUE(stillOpenBeforeClose) << r.how;
    EXPECT_EQ(program_.Text(InputLabel(0)), r.label) << r.how;
    EXPECT_DOUBLE_EQ(Slot(0).Input.UnitScalerMult, r.scalerMult) << r.how;
    EXPECT_EQ(Slot(0).Input.UnitSelected, 1) << r.how;
  }
  EXPECT_TRUE(program_.reporter().messages.empty());
}

TEST_F(UnitDialogWindowTest, TheResultFollowsWhenTheDialogCloses) {
  Choose(InputButton(0), kArea, kKilo, 0);   // Square kilometers
  Choose(OutputButton(0), kNoRow, kNone, 1);  // acre
  SetDlgItemTextA(window(), IDC_VALUE_EDIT, "2");
  SendMessageA(window(), WM_COMMAND, IDM_ACCEPT_VALUE, 0);
  EXPECT_EQ(program_.Text(IDC_RESULT_EDIT),
            FormatValue(2.0e6 / 4046.8564224, TheProgram().format));

  // Changing the multiplier alone recomputes on closing.
  Choose(InputButton(0), kNoRow, kNone, kNoRow);
  EXPECT_EQ(program_.Text(InputLabel(0)), "Square meters");
  EXPECT_EQ(program_.Text(IDC_RESULT_EDIT), FormatValue(2.0 / 4046.8564224, TheProgram().format));
}

TEST_F(UnitDialogWindowTest, EscapeLeavesTheDialogOpen) {
  bool openAfterCancel = false, openAfterEscape = false;
  const bool shown = RunDialog(window(), InputButton(0), [&](HWND dialog) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    openAfterCancel = IsWindowVisible(dialog) != FALSE;
    SetFocus(GetDlgItem(dialog, IDC_QUANTITY_LIST));
    PressKey(dialog, VK_ESCAPE);
    openAfterEscape = IsWindowVisible(dialog) != FALSE;
    // Still working: a pick after Escape takes effect as usual.
    Pick(dialog, IDC_QUANTITY_LIST, kLength);
    Pick(dialog, IDC_UNIT_LIST, 1);
    Click(dialog, IDC_UNIT_OK);
  });
  EXPECT_TRUE(shown);
  EXPECT_TRUE(openAfterCancel);
  EXPECT_TRUE(openAfterEscape);
  EXPECT_EQ(program_.Text(InputLabel(0)), "foot");
}

TEST_F(UnitDialogWindowTest, UndoQuantityEnablingAndEffect) {
  Choose(InputButton(0), kLength, kNone, 0);
  Choose(OutputButton(0), kNoRow, kNone, 1);

  struct Row {
    const char* name;
    bool multi;
    int button;
    bool enabled;
  } rows[] = {
      {"simple mode, slot with a quantity", false, InputButton(0), false},
      {"multi-unit mode, slot without a quantity", true, OutputButton(1), false},
      {"multi-unit mode, slot with a quantity", true, OutputButton(0), true},
  };
  for (const Row& r : rows) {
    SetMode(r.multi);
    int enabled = -1;
    const bool shown = RunDialog(window(), r.button, [&](HWND dialog) {
      enabled = IsWindowEnabled(GetDlgItem(dialog, IDC_UNDO_QUANTITY)) ? 1 : 0;
      // A command that reaches the disabled button does nothing.
      if (!enabled) Click(dialog, IDC_UNDO_QUANTITY);
      Close(dialog);
    });
    EXPECT_TRUE(shown) << r.name;
    EXPECT_EQ(enabled, r.enabled ? 1 : 0) << r.name;
  }
  ASSERT_EQ(Slot(0).DimensionIndex, kLength);
  ASSERT_EQ(program_.Text(InputLabel(0)), "meter");

  // The button itself closes the dialog.
  ASSERT_TRUE(RunDialog(window(), OutputButton(0),
                        [](HWND dialog) { Click(dialog, IDC_UNDO_QUANTITY); }));
  EXPECT_EQ(Slot(0).DimensionIndex, kNoDimension);
  EXPECT_EQ(program_.Text(InputLabel(0)), "");
  EXPECT_EQ(program_.Text(OutputLabel(0)), "");
  for (bool input : {true, false}) {
    const UnitSelection& side = Side(Slot(0), input);
    EXPECT_EQ(side.UnitSelected, 0) << (input ? "input" : "output");
    EXPECT_EQ(side.UnitScalerIndex, kNone) << (input ? "input" : "output");
    EXPECT_EQ(side.UnitScalerMult, 1.0) << (input ? "input" : "output");
  }
  EXPECT_EQ(Slot(0).NumberOfUnits, 2) << "the unit names stay";
  EXPECT_STREQ(Slot(0).UnitNames[0], "meter");

  // Reopened, the slot shows nothing chosen.
  int quantityRow = 0, unitRows = -1, multiplierRow = -1, enabled = -1;
  ASSERT_TRUE(RunDialog(window(), InputButton(0), [&](HWND dialog) {
    quantityRow = SelectedRow(dialog, IDC_QUANTITY_LIST);
    unitRows = RowCount(dialog, IDC_UNIT_LIST);
    multiplierRow = SelectedRow(dialog, IDC_MULTIPLIER_LIST);
    enabled = IsWindowEnabled(GetDlgItem(dialog, IDC_UNDO_QUANTITY)) ? 1 : 0;
    Close(dialog);
  }));
  EXPECT_EQ(quantityRow, LB_ERR);
  EXPECT_EQ(unitRows, 0);
  EXPECT_EQ(multiplierRow, kNone);
  EXPECT_EQ(enabled, 0);
}

TEST_F(UnitDialogWindowTest, OpeningShowsTheSidesChoices) {
  Choose(InputButton(0), kArea, kKilo, 1);
  int quantityRow = -1, multiplierRow = -1, unitRow = -1, quantityRows = -1;
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

TEST_F(UnitDialogWindowTest, AFailedUnitReadThenAUnitPickReportsAndGoesOn) {
  Choose(InputButton(0), kLength, kNone, 0);
  // The catalogue loses its Area and Volume sections while the program runs.
  std::ofstream(TheProgram().dataPath, std::ios::binary | std::ios::trunc)
      << "[Length]\nmeter=1\nfoot=0.3048\n[MULTIPLIERS]\nkilo=1000\nNo_Multiplier=1\n";
  program_.reporter().messages.clear();

  int unitRows = -1;
  bool open = false;
  ASSERT_TRUE(RunDialog(window(), InputButton(0), [&](HWND dialog) {
    Pick(dialog, IDC_QUANTITY_LIST, kArea);
    unitRows = RowCount(dialog, IDC_UNIT_LIST);  // the units the record still holds
    Pick(dialog, IDC_UNIT_LIST, 1);
    open = IsWindowVisible(dialog) != FALSE;
    Close(dialog);
  }));
  EXPECT_TRUE(open);
  EXPECT_EQ(unitRows, 2);
  const auto& messages = program_.reporter().messages;
  ASSERT_EQ(messages.size(), 2u) << "one message for the quantity, one for the unit";
  for (const auto& m : messages) {
    EXPECT_EQ(m.text.rfind("ERROR: Could not find Dimension Label 'Area' in File:'", 0), 0u)
        << m.text;
    EXPECT_EQ(m.title, "Quantora");
  }
  EXPECT_EQ(Slot(0).Input.UnitMult, 1.0) << "no factor was read";
  EXPECT_EQ(Slot(0).Input.UnitOffset, 0.0);

  // A slot that never had units: the Unit list stays empty and a stray notification from it
  // picks nothing.
  SetMode(true);
  program_.reporter().messages.clear();
  ASSERT_TRUE(RunDialog(window(), InputButton(2), [&](HWND dialog) {
    Pick(dialog, IDC_QUANTITY_LIST, kVolume);
    unitRows = RowCount(dialog, IDC_UNIT_LIST);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_UNIT_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_UNIT_LIST)));
    Close(dialog);
  }));
  EXPECT_EQ(unitRows, 0);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].text.rfind("ERROR: Could not find Dimension Label 'Volume'", 0), 0u);
  EXPECT_EQ(messages[1].text, "ERROR: Number of Units for Units List = 0 !");
  EXPECT_EQ(Slot(2).Input.UnitSelected, 0);
  EXPECT_EQ(program_.Text(InputLabel(2)), "");
}

// The template as the program carries it, read from the resource: the dialog's styles, font,
// place and size, and every control's id, class, text, rectangle and style.
class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* data) : p_(data) {}
  WORD Word() { WORD w; std::memcpy(&w, p_, 2); p_ += 2; return w; }
  DWORD Dword() { DWORD d; std::memcpy(&d, p_, 4); p_ += 4; return d; }
  short Short() { return static_cast<short>(Word()); }
  BYTE Byte() { return *p_++; }
  // A string or an ordinal (0xFFFF then the number, given back as "#number").
  std::string TextOrOrdinal() {
    WORD first = Word();
    if (first == 0xFFFF) return "#" + std::to_string(Word());
    std::string text;
    for (WORD c = first; c != 0; c = Word()) text += static_cast<char>(c);
    return text;
  }
  void AlignDword(const BYTE* base) {
    while ((p_ - base) % 4 != 0) ++p_;
  }
  const BYTE* p_;
};

TEST(UnitDialogTemplate, MatchesTheTable) {
  HRSRC found = FindResourceA(GetModuleHandleA(nullptr), IDD_INPUTUNIT_NAME, RT_DIALOG);
  ASSERT_NE(found, nullptr) << "no dialog resource " << IDD_INPUTUNIT_NAME;
  const BYTE* base = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
  ASSERT_NE(base, nullptr);
  TemplateReader in(base);
  ASSERT_EQ(in.Word(), 1) << "an extended template";
  ASSERT_EQ(in.Word(), 0xFFFF);
  in.Dword();  // help id
  const DWORD exStyle = in.Dword();
  const DWORD style = in.Dword();
  const int count = in.Word();
  const short x = in.Short(), y = in.Short(), cx = in.Short(), cy = in.Short();
  EXPECT_EQ(in.TextOrOrdinal(), "") << "menu";
  EXPECT_EQ(in.TextOrOrdinal(), "") << "class";
  EXPECT_EQ(in.TextOrOrdinal(), "Unit Selection Dialog");
  const WORD points = in.Word();
  in.Word();  // weight
  in.Byte();  // italic
  in.Byte();  // character set
  EXPECT_EQ(points, 8);
  EXPECT_EQ(in.TextOrOrdinal(), "MS Sans Serif");
  EXPECT_EQ(style, static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
                                      DS_MODALFRAME | DS_SETFONT));
  EXPECT_EQ(exStyle, static_cast<DWORD>(WS_EX_CONTEXTHELP));
  EXPECT_EQ(x, 5);
  EXPECT_EQ(y, 46);
  EXPECT_EQ(cx, 322);
  EXPECT_EQ(cy, 135);

  // Class ordinals of the dialog manager: 0x80 button, 0x82 static, 0x83 list box.
  struct Control {
    DWORD id;
    const char* className;
    const char* text;
    short x, y, cx, cy;
    DWORD style;
  };
  const DWORD child = WS_CHILD | WS_VISIBLE;
  const DWORD list = child | LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP;
  const Control table[] = {
      {IDC_QUANTITY_CAPTION, "#130", "Physical Quantity", 23, 2, 55, 8, child | SS_CENTER | WS_GROUP},
      {IDC_MULTIPLIER_CAPTION, "#130", "Multiplier", 121, 2, 33, 8, child | SS_CENTER | WS_GROUP},
      {IDC_UNIT_CAPTION, "#130", "Unit", 236, 2, 19, 8, child | SS_CENTER | WS_GROUP},
      {IDC_QUANTITY_LIST, "#131", "", 6, 12, 93, 96, list},
      {IDC_MULTIPLIER_LIST, "#131", "", 101, 12, 75, 95, list},
      {IDC_UNIT_LIST, "#131", "", 179, 12, 136, 92, list},
      {IDC_UNDO_QUANTITY, "#128", "Undo Quantity", 7, 104, 91, 12,
       child | BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED},
      {IDC_UNIT_OK, "#128", "OK", 136, 113, 50, 14, child | BS_DEFPUSHBUTTON | WS_TABSTOP},
  };
  ASSERT_EQ(count, static_cast<int>(sizeof table / sizeof table[0]));
  for (const Control& want : table) {
    SCOPED_TRACE("control " + std::to_string(want.id));
    in.AlignDword(base);
    in.Dword();  // help id
    EXPECT_EQ(in.Dword(), 0u) << "extended style";
    const DWORD controlStyle = in.Dword();
    const short cxy[4] = {in.Short(), in.Short(), in.Short(), in.Short()};
    EXPECT_EQ(in.Dword(), want.id);
    std::string className = in.TextOrOrdinal();
    if (className == "LISTBOX" || className == "ListBox") className = "#131";
    EXPECT_EQ(className, want.className);
    EXPECT_EQ(in.TextOrOrdinal(), want.text);
    const WORD extra = in.Word();
    for (WORD i = 0; i < extra; ++i) in.Byte();
    EXPECT_EQ(cxy[0], want.x);
    EXPECT_EQ(cxy[1], want.y);
    EXPECT_EQ(cxy[2], want.cx);
    EXPECT_EQ(cxy[3], want.cy);
    EXPECT_EQ(controlStyle, want.style);
  }
}

// The dialog as it stands on screen: every control in its place and order, the dialog itself
// at its place over the owner's client area. (The styles are checked on the template above:
// a list box drops WS_VSCROLL from its live style while its rows fit.)
TEST_F(UnitDialogWindowTest, ControlsStandWhereTheTemplatePutsThem) {
  struct Control {
    int id;
    const char* className;
    const char* text;
    RECT units;  // x, y, width, height in dialog units
  };
  const Control controls[] = {
      {IDC_QUANTITY_CAPTION, "Static", "Physical Quantity", {23, 2, 55, 8}},
      {IDC_MULTIPLIER_CAPTION, "Static", "Multiplier", {121, 2, 33, 8}},
      {IDC_UNIT_CAPTION, "Static", "Unit", {236, 2, 19, 8}},
      {IDC_QUANTITY_LIST, "ListBox", "", {6, 12, 93, 96}},
      {IDC_MULTIPLIER_LIST, "ListBox", "", {101, 12, 75, 95}},
      {IDC_UNIT_LIST, "ListBox", "", {179, 12, 136, 92}},
      {IDC_UNDO_QUANTITY, "Button", "Undo Quantity", {7, 104, 91, 12}},
      {IDC_UNIT_OK, "Button", "OK", {136, 113, 50, 14}},
  };
  struct Seen {
    std::string className, text;
    RECT rect;
    DWORD style;
    int itemHeight;
  };
  std::vector<int> order;
  std::map<int, Seen> seen;
  std::map<int, RECT> expected;
  RECT client = {}, dialogSize = {0, 0, 322, 135}, place = {5, 46, 0, 0};
  POINT clientOrigin = {0, 0};
  DWORD style = 0, exStyle = 0;
  ASSERT_TRUE(RunDialog(this->window(), InputButton(0), [&](HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      const int id = GetDlgCtrlID(child);
      order.push_back(id);
      char className[64] = {};
      GetClassNameA(child, className, sizeof className);
      Seen& s = seen[id];
      s.className = className;
      s.text = WindowText(child);
      GetWindowRect(child, &s.rect);
      MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&s.rect), 2);
      s.style = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE));
      s.itemHeight = static_cast<int>(SendMessageA(child, LB_GETITEMHEIGHT, 0, 0));
    }
    for (const Control& c : controls) {
      // Position and size are converted each on its own, as the dialog manager does.
      RECT r = c.units;
      MapDialogRect(dialog, &r);
      expected[c.id] = {r.left, r.top, r.left + r.right, r.top + r.bottom};
    }
    MapDialogRect(dialog, &dialogSize);
    MapDialogRect(dialog, &place);
    GetClientRect(dialog, &client);
    ClientToScreen(dialog, &clientOrigin);
    style = static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE));
    exStyle = static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE));
    Close(dialog);
  }));

  const std::vector<int> templateOrder = {IDC_QUANTITY_CAPTION, IDC_MULTIPLIER_CAPTION,
                                          IDC_UNIT_CAPTION,     IDC_QUANTITY_LIST,
                                          IDC_MULTIPLIER_LIST,  IDC_UNIT_LIST,
                                          IDC_UNDO_QUANTITY,    IDC_UNIT_OK};
  EXPECT_EQ(order, templateOrder);
  for (const Control& c : controls) {
    SCOPED_TRACE("control " + std::to_string(c.id));
    ASSERT_EQ(seen.count(c.id), 1u);
    const Seen& s = seen[c.id];
    const RECT& want = expected[c.id];
    EXPECT_STRCASEEQ(s.className.c_str(), c.className);
    EXPECT_EQ(s.text, c.text);
    EXPECT_EQ(s.rect.left, want.left);
    EXPECT_EQ(s.rect.top, want.top);
    EXPECT_EQ(s.rect.right, want.right);
    if (std::string(c.className) == "ListBox") {
      // A list box shows whole rows only: its height shrinks to a multiple of the row height.
      EXPECT_LE(s.rect.bottom, want.bottom);
      EXPECT_GE(s.rect.bottom, want.bottom - s.itemHeight);
    } else {
      EXPECT_EQ(s.rect.bottom, want.bottom);
    }
    EXPECT_TRUE(s.style & WS_VISIBLE);
  }
  const DWORD dialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  EXPECT_EQ(style & dialogStyle, dialogStyle);
  EXPECT_TRUE(exStyle & WS_EX_CONTEXTHELP);
  EXPECT_EQ(client.right, dialogSize.right);
  EXPECT_EQ(client.bottom, dialogSize.bottom);
  POINT origin = {0, 0};
  ClientToScreen(this->window(), &origin);
  // The template's place is that of the dialog's client area within the owner's.
  EXPECT_EQ(clientOrigin.x, origin.x + place.left);
  EXPECT_EQ(clientOrigin.y, origin.y + place.top);
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
  const std::map<DWORD, DWORD> expected = {
      {IDC_QUANTITY_CAPTION, 6330}, {IDC_QUANTITY_LIST, 6330}, {IDC_MULTIPLIER_CAPTION, 6340},
      {IDC_MULTIPLIER_LIST, 6340},  {IDC_UNIT_CAPTION, 6350},  {IDC_UNIT_LIST, 6350},
      {IDC_UNDO_QUANTITY, 6360}};
  EXPECT_EQ(table, expected);
}

}  // namespace
}  // namespace quantora
