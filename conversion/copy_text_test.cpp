// The texts of Copy Result and Copy All, from the texts the main window shows and the units
// chosen in the slots.
#include "conversion/copy_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace quantora {
namespace {

struct Choice {
  int slot;
  bool input;
  const char* name;
};

// Each chosen name goes into its slot's list behind a stale entry and those already there, so
// the two sides of a slot point at different entries.
ConversionState StateWith(const std::vector<Choice>& choices) {
  ConversionState state;
  for (QuantityRecord& record : state.QuantityRecords)
    std::strcpy(record.UnitNames[record.NumberOfUnits++], "stale");
  for (const auto& [slot, input, name] : choices) {
    QuantityRecord& record = state.QuantityRecords[slot];
    std::strcpy(record.UnitNames[record.NumberOfUnits], name);
    Side(record, input) = {
        static_cast<std::uint16_t>(record.NumberOfUnits++), 1, 0, 1, 0, 0, 0, 0, 1};
  }
  return state;
}

// Columns of numerator over denominator: "N / D", "N" or "1 / D", the second and third led by
// " x " when they hold a name; the name as stored, caret included.
TEST(CompoundUnitText, ColumnsOfNumeratorOverDenominator) {
  const struct {
    std::vector<Choice> choices;
    const char* input;
    const char* output;
  } rows[] = {
      {{{0, true, "meter"}, {3, true, "second"}, {1, true, "Square ^feet"}},
       "<meter / second x Square ^feet",
       "<"},
      {{{3, true, "second"}}, "<1 / second", "<"},
      {{{4, false, "hour"}}, "<", "< x 1 / hour"},
      {{{2, false, "mole"}, {5, false, "liter"}, {0, false, "gram"}}, "<", "<gram x mole / liter"},
  };
  for (const auto& row : rows) {
    std::string input = "<", output = "<";
    ComposeCompoundUnitText(StateWith(row.choices), true, input);
    ComposeCompoundUnitText(StateWith(row.choices), false, output);
    EXPECT_EQ(input + "|" + output, std::string(row.input) + "|" + row.output);
  }
}

TEST(CopyTexts, BothModesJoinTheShownTextsWithTheirSeparators) {
  const std::string fifty(50, '7'), fortyNine(49, '7');
  const struct {
    ShownTexts shown;
    bool multi;
    std::string result, all;
  } rows[] = {
      {{"1", "2.54", "inch", "centimeter"}, false, "2.54 centimeter", "1 inch = 2.54 centimeter"},
      // Each control text counts up to its 49th character.
      {{fifty, fifty, fifty, "x"},
       false,
       fortyNine + " x",
       fortyNine + " " + fortyNine + " = " + fortyNine + " x"},
      // Multi-unit mode takes the units from the slots, not from the labels.
      {{"3", "10.800", "ignored", "ignored"},
       true,
       "10.800  foot / minute",
       "3  meter x 1 / kelvin = 10.800  foot / minute"},
  };
  const ConversionState state = StateWith(
      {{0, true, "meter"}, {0, false, "foot"}, {3, false, "minute"}, {5, true, "kelvin"}});
  for (const auto& row : rows) {
    EXPECT_EQ(CopyResultText(row.shown, state, row.multi), row.result);
    EXPECT_EQ(CopyAllText(row.shown, state, row.multi), row.all);
  }
  EXPECT_EQ(CopyResultText({"5", "5.0000", "", ""}, StateWith({{1, true, "gram"}}), true),
            "5.0000  ");
}

}  // namespace
}  // namespace quantora
