#include "conversion/conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "conversion/copy_text.h"
#include "conversion/format_dialog.h"
#include "resources/strings.h"

namespace quantora {
namespace {

// A chosen side in a slot (0..2 numerators, 3..5 denominators): factor, offset, prefix factor.
struct Pick {
  int slot;
  double mult, offset = 0.0, scaler = 1.0;
};
const Pick kCelsius{0, 1.0, 273.15}, kFahrenheit{0, 5.0 / 9.0, 459.67}, kKelvin{0, 1.0};
const Pick kKilometer{0, 1.0, 0.0, 1000.0}, kHour{3, 3600.0}, kPerMinute{3, 60.0};

// The result and the echo the main window shows (engineering, 5 digits). In multi-unit mode
// a result needs the two sides to pair up, slot by slot. Offsets count only when each side is
// one plain numerator unit; otherwise every unit of both sides is an interval. Sides with no
// unit chosen still carry factors, as a multiplier picked without a unit or the first
// multiplier named by a settings file leaves them; they change nothing.
TEST(Conversion, ResultShownForEachChainAndOnlyWhenItCanBeComputed) {
  // What, mode, the sides' units, the value and the texts shown, result|echo.
  using Row =
      std::tuple<const char*, bool, std::vector<Pick>, std::vector<Pick>, double, const char*>;
  const Row rows[] = {
      {"degC -> degF", false, {kCelsius}, {kFahrenheit}, 100.0, "212.00|100.00"},
      {"degF -> degC, freezing", false, {kFahrenheit}, {kCelsius}, 32.0, "000.00|32.000"},
      {"km -> ft", false, {kKilometer}, {{0, 0.3048}}, 3.0, "9.8425 E3|3.0000"},
      {"km/h", true, {kKilometer, kHour}, {kKelvin, {3, 1}}, 3.6e300, "1.0000 E300|3.6000 E300"},
      {"degC 1 -> degF 2", true, {{1, 1, 273.15}}, {{2, 5.0 / 9, 459.67}}, 10.0, "|10.000"},
      {"degC/min -> degF", true, {kCelsius, kPerMinute}, {kFahrenheit}, 10.0, "|10.000"},
      {"C/min -> F/min", true, {kCelsius, kPerMinute}, {kFahrenheit, kPerMinute}, 10., "18.000|10.000"},
      {"degC*K -> K*K", true, {kCelsius, {1, 1.0}}, {kKelvin, {1, 1.0}}, 10.0, "10.000|10.000"},
      {"per degC -> per K", true, {{3, 1.0, 273.15}}, {{3, 1.0}}, 10.0, "10.000|10.000"},
      {"no output", false, {kKelvin}, {}, 1.0, "|1.0000"},
      {"zero output factor", false, {kKelvin}, {{0, -0.0}}, 1.0, "|1.0000"},
      {"multi, zero factor", true, {{2, 1}, {4, 1}}, {{2, 0}, {4, 2}}, 0.0, "Undefined|000.00"},
      {"multi, no output", true, {kKelvin, kHour}, {}, 1.0, "|1.0000"},
      {"multi, no input", true, {}, {kKelvin}, 1.0, "|1.0000"},
      {"multi, nothing chosen", true, {}, {}, 1.0, "|1.0000"},
      {"multi, degC -> degF", true, {kCelsius}, {kFahrenheit}, 100.0, "212.00|100.00"},
  };
  for (const auto& [what, multi, in, out, value, shown] : rows) {
    struct {
      ConversionState s;
      QuantityRecord seventh;  // right after the six slots: no conversion may read it
    } memory;
    memory.seventh.Input = memory.seventh.Output = {0, 0, 0, 0, 0, 0, 0, 0, 1};
    ConversionState& s = memory.s;
    s.MultiDimensional = multi;
    s.InputValue = value;
    s.InputValuePresent = 1;
    for (QuantityRecord& r : s.QuantityRecords) r.Input = r.Output = {0, 7, 3, 1e30, 0, 0, 0, 0, 0};
    for (bool input : {true, false}) {
      for (const Pick& p : input ? in : out) {
        Side(s.QuantityRecords[p.slot], input) = {0, p.mult, p.offset, p.scaler, 0, 0, 0, 0, 1};
      }
    }
    DisplayTexts texts = ComputeDisplayTexts(s, NumericFormat{});
    EXPECT_EQ(texts.result + "|" + texts.echo, shown) << what;
    s.InputValuePresent = 0;  // no value typed: neither text
    texts = ComputeDisplayTexts(s, NumericFormat{});
    EXPECT_EQ(texts.result + texts.echo, "") << what;
  }
}

// Copy Result and Copy All join the texts the window shows, each up to its 49th character. In
// multi-unit mode the units come from the slots: columns of numerator over denominator,
// "N / D", "N" or "1 / D", the second and third led by " x " when they hold a unit; each unit
// as its label reads, multiplier included.
TEST(CopyTexts, BothModesJoinTheShownTextsWithTheirSeparators) {
  UnitTables tables;  // multipliers: 0 none, 1 kilo
  std::strcpy(tables.Scalers[1].Name, "kilo");
  tables.NumberOfScalers = 2;
  // Each name goes into its slot's list behind those already there, so the two sides of a
  // slot point at different entries.
  ConversionState state;
  const std::tuple<int, bool, const char*> choices[] = {
      {0, true, "meter"}, {3, true, "second"}, {1, true, "Square ^feet"}, {5, true, "kelvin"},
      {4, false, "hour"}, {2, false, "mole"},  {5, false, "liter"}};
  for (const auto& [slot, input, name] : choices) {
    QuantityRecord& r = state.QuantityRecords[slot];
    r.NumberOfUnits = std::max(r.NumberOfUnits, 1);  // an entry chosen by neither side first
    std::strcpy(r.UnitNames[r.NumberOfUnits], name);
    Side(r, input) = {static_cast<std::uint16_t>(r.NumberOfUnits++), 1, 0, 1, 0, 0, 0, 0, 1};
  }
  state.QuantityRecords[0].Input.UnitScalerIndex = state.QuantityRecords[1].Input.UnitScalerIndex = 1;
  const std::string fifty(50, '7'), fortyNine(49, '7');
  const std::tuple<ShownTexts, bool, std::string, std::string> rows[] = {
      {{fifty, fifty, fifty, "x"},
       false,
       fortyNine + " x",
       fortyNine + " " + fortyNine + " = " + fortyNine + " x"},
      {{"3", "1", "in", "out"},
       true,
       "1   x 1 / hour x mole / liter",
       "3  kilometer / second x Square kilofeet x 1 / kelvin = 1   x 1 / hour x mole / liter"},
  };
  for (const auto& [shown, multi, result, all] : rows) {
    EXPECT_EQ(CopyResultText(shown, state, tables, multi), result);
    EXPECT_EQ(CopyAllText(shown, state, tables, multi), all);
  }
}

// The numeric format dialog, from 5 digits and 5 places: an edit is stored when in range
// (places 0..8, digits 1..8) and shows the setting either way; scroll codes 0 and 2 raise and
// 1 and 3 lower the notation's number (others, the whole wParam counted, are no step), and a
// step out of the range is refused. Each row gives what the dialog reports, then the format:
// accepted or step, refused, shown, the range, digits, places.
TEST(FormatDialog, EditsAndScrollStepsKeepTheirRanges) {
  const FormatField kPlaces = FormatField::kPlaces, kDigits = FormatField::kSignificantDigits;
  // The notation, the number edited or stepped, the edit (none for a scroll step), the code.
  const std::tuple<Notation, FormatField, const char*, std::uintptr_t, const char*> rows[] = {
      {ENGINEERING, kPlaces, "", 0, "1 - 0 0..8 5 0"},
      {ENGINEERING, kPlaces, "\t 008 ", 0, "1 - 8 0..8 5 8"},
      {ENGINEERING, kPlaces, "9", 0, "0 - 5 0..8 5 5"},
      {ENGINEERING, kPlaces, "4294967296", 0, "0 - 5 0..8 5 5"},  // not taken as 0
      {ENGINEERING, kPlaces, "3 4", 0, "0 - 5 0..8 5 5"},
      {ENGINEERING, kDigits, "", 0, "0 - 5 1..8 5 5"},
      {ENGINEERING, kDigits, "1", 0, "1 - 1 1..8 1 5"},
      {ENGINEERING, kDigits, nullptr, 2, "1 0 6 - 6 5"},
      {SCIENTIFIC, kDigits, nullptr, 3, "1 0 4 - 4 5"},
      {FIXED_DECIMAL, kPlaces, nullptr, 0, "1 0 6 - 5 6"},
      {FIXED_DECIMAL, kPlaces, nullptr, 1, "1 0 4 - 5 4"},
      {ENGINEERING, kDigits, nullptr, 4, "0 0 5 - 5 5"},
      {FIXED_DECIMAL, kPlaces, nullptr, 0x30000, "0 0 5 - 5 5"},
  };
  for (const auto& [notation, field, edit, code, expected] : rows) {
    char outcome[64];
    NumericFormat f{notation, 5, 5, 0};
    if (edit) {
      const EditCheck c = CheckFormatEdit(field, edit, f);
      std::snprintf(outcome, sizeof outcome, "%d - %d %d..%d %d %d", c.accepted, c.shown,
                    c.range.low, c.range.high, f.SignificantDigits, f.PlacesRightOfDecimal);
    } else {
      const ScrollStep s = StepFormatNumber(code, f);
      std::snprintf(outcome, sizeof outcome, "%d %d %d - %d %d", s.isStep, s.refused, s.shown,
                    f.SignificantDigits, f.PlacesRightOfDecimal);
      EXPECT_EQ(s.field, field);
    }
    EXPECT_EQ(outcome, std::string(expected)) << (edit ? edit : "scroll");
  }
  NumericFormat top{SCIENTIFIC, 8, 5, 0}, bottom{FIXED_DECIMAL, 5, 0, 0};  // at the range's ends
  EXPECT_TRUE(StepFormatNumber(0, top).refused && StepFormatNumber(2, top).refused);
  EXPECT_TRUE(StepFormatNumber(1, bottom).refused && StepFormatNumber(3, bottom).refused);
  EXPECT_EQ(top.SignificantDigits, 8);
  EXPECT_EQ(bottom.PlacesRightOfDecimal, 0);
}

TEST(FormatDialog, ButtonsControlsAndTheRangeMessage) {
  const int ids[] = {153, 156, 157, 158, 159, 160};  // the places' three, then the digits'
  for (const auto& [notation, button] :
       {std::make_pair(ENGINEERING, 150), std::make_pair(SCIENTIFIC, 151),
        std::make_pair(FIXED_DECIMAL, 152)}) {
    Notation back = notation == ENGINEERING ? SCIENTIFIC : ENGINEERING;
    EXPECT_TRUE(NotationRadioButton(notation) == button && NotationOfRadioButton(button, back));
    EXPECT_EQ(back, notation);
    for (int i = 0; i < kDigitControlCount; ++i) {
      EXPECT_EQ(DigitControlStates(notation)[i].id, ids[i]);
      EXPECT_EQ(DigitControlStates(notation)[i].enabled, (i < 3) == (notation == FIXED_DECIMAL));
    }
  }
  EXPECT_EQ(std::make_pair(EditOf(FormatField::kPlaces), EditOf(FormatField::kSignificantDigits)),
            std::make_pair(156, 159));
  Notation untouched = SCIENTIFIC;
  EXPECT_FALSE(NotationOfRadioButton(154, untouched) || untouched != SCIENTIFIC);
  EXPECT_EQ(FormatRangeMessage(QA_STR_RANGE_MESSAGE, 0, 8),
            "The value you entered is not within the allowed range.\r"
            "The range for this field is: 0 to 8.");
  EXPECT_EQ(FormatRangeMessage("%d %d %d %s %% %", -5, 2147483647), "-5 2147483647 %d %s % %");
}

}  // namespace
}  // namespace quantora
