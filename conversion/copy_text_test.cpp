// The texts of Copy Result and Copy All, from the texts the main window shows and the units
// chosen in the slots.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "conversion/copy_text.h"

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
  for (QuantityRecord& record : state.QuantityRecords) {
    std::strcpy(record.UnitNames[record.NumberOfUnits++], "stale");
  }
  for (const Choice& c : choices) {
    QuantityRecord& record = state.QuantityRecords[c.slot];
    std::strcpy(record.UnitNames[record.NumberOfUnits], c.name);
    Side(record, c.input).UnitIndex = static_cast<std::uint16_t>(record.NumberOfUnits++);
    Side(record, c.input).UnitSelected = 1;
  }
  return state;
}

TEST(CompoundUnitText, ColumnsOfNumeratorOverDenominatorAppendedToTheText) {
  const struct {
    std::vector<Choice> choices;
    const char* input;
    const char* output;
  } cases[] = {
      {{{0, true, "meter"}, {3, true, "second"}}, "<meter / second", "<"},
      {{{0, true, "meter"}, {3, true, "second"}, {1, true, "kilogram"}},
       "<meter / second x kilogram", "<"},
      {{{3, true, "second"}}, "<1 / second", "<"},
      {{{1, true, "kilogram"}}, "< x kilogram", "<"},
      {{{4, false, "hour"}}, "<", "< x 1 / hour"},
      {{{2, false, "mole"}, {5, false, "liter"}, {0, false, "gram"}}, "<", "<gram x mole / liter"},
      // The name as stored: the multiplier mark stays and no multiplier name goes in.
      {{{0, true, "Square ^meters"}}, "<Square ^meters", "<"},
  };
  for (const auto& c : cases) {
    const ConversionState state = StateWith(c.choices);
    std::string input = "<", output = "<";
    ComposeCompoundUnitText(state, true, input);
    ComposeCompoundUnitText(state, false, output);
    EXPECT_EQ(input, c.input);
    EXPECT_EQ(output, c.output);
  }
}

TEST(CopyTexts, BothModesJoinTheShownTextsWithTheirSeparators) {
  const std::string fifty(50, '7'), fortyNine(49, '7');
  const struct {
    ShownTexts shown;
    bool multi;
    std::string result;
    std::string all;
  } cases[] = {
      {{"1", "2.54", "inch", "centimeter"}, false, "2.54 centimeter", "1 inch = 2.54 centimeter"},
      {{"", "", "inch", "centimeter"}, false, " centimeter", " inch =  centimeter"},
      // Each control text counts up to its 49th character.
      {{fifty, fifty + "9", "", "x"}, false, fortyNine + " x", fortyNine + "  = " + fortyNine + " x"},
      // Multi-unit mode takes the units from the slots, not from the labels.
      {{"3", "10.800", "ignored", "ignored"}, true, "10.800  foot / minute",
       "3  meter x 1 / kelvin = 10.800  foot / minute"},
  };
  const ConversionState state = StateWith(
      {{0, true, "meter"}, {0, false, "foot"}, {3, false, "minute"}, {5, true, "kelvin"}});
  for (const auto& c : cases) {
    EXPECT_EQ(CopyResultText(c.shown, state, c.multi), c.result);
    EXPECT_EQ(CopyAllText(c.shown, state, c.multi), c.all);
  }
  // Nothing chosen on the output side: the result and the two blanks alone.
  EXPECT_EQ(CopyResultText({"5", "5.0000", "", ""}, StateWith({{1, true, "gram"}}), true),
            "5.0000  ");
}

}  // namespace
}  // namespace quantora
