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

// Each chosen name goes into its slot's list behind those already there, so the input and the
// output side of a slot point at different entries. An unchosen side keeps a stale index.
ConversionState StateWith(const std::vector<Choice>& choices) {
  ConversionState state;
  state.MultiDimensional = 1;
  for (QuantityRecord& record : state.QuantityRecords) {
    std::strcpy(record.UnitNames[0], "stale");
    record.NumberOfUnits = 1;
  }
  for (const Choice& c : choices) {
    QuantityRecord& record = state.QuantityRecords[c.slot];
    std::strcpy(record.UnitNames[record.NumberOfUnits], c.name);
    UnitSelection& side = Side(record, c.input);
    side.UnitIndex = static_cast<std::uint16_t>(record.NumberOfUnits++);
    side.UnitSelected = 1;
  }
  return state;
}

std::string Compound(const ConversionState& state, bool input) {
  std::string text = "<";
  ComposeCompoundUnitText(state, input, text);
  return text;
}

TEST(CompoundUnitText, ColumnsOfNumeratorOverDenominator) {
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
      {{{2, false, "mole"}, {5, false, "liter"}, {0, false, "gram"}}, "<",
       "<gram x mole / liter"},
      {{{0, true, "meter"}, {0, false, "foot"}, {3, false, "minute"}, {5, true, "kelvin"}},
       "<meter x 1 / kelvin", "<foot / minute"},
      // The name as stored: the multiplier mark stays and no multiplier name goes in.
      {{{0, true, "Square ^meters"}}, "<Square ^meters", "<"},
  };
  for (const auto& c : cases) {
    const ConversionState state = StateWith(c.choices);
    EXPECT_EQ(Compound(state, true), c.input) << c.input;
    EXPECT_EQ(Compound(state, false), c.output) << c.output;
  }
}

TEST(CompoundUnitText, AChosenIndexPastTheSlotsListGivesAnEmptyName) {
  ConversionState state = StateWith({{0, true, "meter"}, {3, true, "second"}});
  state.QuantityRecords[3].Input.UnitIndex = kMaxUnits + 7;
  EXPECT_EQ(Compound(state, true), "<meter / ");
}

TEST(CopyTexts, BothModesJoinTheShownTextsWithTheirSeparators) {
  const std::string fifty(50, '7'), fortyNine(49, '7');
  const struct {
    ShownTexts shown;
    bool multi;
    std::string result;
    std::string all;
  } cases[] = {
      {{"1", "2.54", "inch", "centimeter"}, false, "2.54 centimeter",
       "1 inch = 2.54 centimeter"},
      {{"1.0000", "2.5400", "kilometer", "centimeter"}, false, "2.5400 centimeter",
       "1.0000 kilometer = 2.5400 centimeter"},
      {{"", "", "inch", "centimeter"}, false, " centimeter", " inch =  centimeter"},
      // Each control text counts up to its 49th character.
      {{fifty, fifty + "9", "", "x"}, false, fortyNine + " x",
       fortyNine + "  = " + fortyNine + " x"},
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
}

TEST(CopyTexts, MultiUnitModeWithNothingChosenOnTheOutputSide) {
  const ConversionState state = StateWith({{1, true, "kilogram"}});
  const ShownTexts shown{"5", "5.0000", "", ""};
  EXPECT_EQ(CopyResultText(shown, state, true), "5.0000  ");
  EXPECT_EQ(CopyAllText(shown, state, true), "5   x kilogram = 5.0000  ");
}

TEST(CopyTexts, TheLongestTextIsNotCut) {
  std::vector<Choice> choices;
  const std::string name(kMaxNameLength, 'n');
  for (int slot = 0; slot < kSlotCount; ++slot) {
    choices.push_back({slot, true, name.c_str()});
    choices.push_back({slot, false, name.c_str()});
  }
  const std::string text(kControlTextLimit, '9');
  EXPECT_EQ(CopyAllText({text, text, "", ""}, StateWith(choices), true).size(), 615u);
}

}  // namespace
}  // namespace quantora
