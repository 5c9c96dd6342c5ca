#include "conversion/format_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "resources/strings.h"

namespace quantora {
namespace {

constexpr FormatField kPlaces = FormatField::kPlaces, kDigits = FormatField::kSignificantDigits;

// Places run 0..8 and significant digits 1..8; both start from 5 here. The edit shows the
// setting afterwards; the other number is never touched.
TEST(FormatDialog, AnEditIsStoredWhenInRangeAndOtherwiseShowsTheSettingAgain) {
  const struct {
    FormatField field;
    const char* text;
    bool accepted;
    std::int32_t stored;
  } rows[] = {
      {kPlaces, "", true, 0},
      {kPlaces, "\t 008 ", true, 8},
      {kPlaces, "9", false, 5},
      {kPlaces, "4294967295", false, 5},  // -1 as a signed number
      {kPlaces, "4294967296", false, 5},  // too long for 32 bits: not taken as 0
      {kPlaces, "3 4", false, 5},
      {kDigits, "", false, 5},
      {kDigits, "1", true, 1},
      {kDigits, "x", false, 5},
  };
  for (const auto& [field, text, accepted, stored] : rows) {
    NumericFormat format{ENGINEERING, 5, 5, 0};
    const EditCheck check = CheckFormatEdit(field, text, format);
    const bool places = field == kPlaces;
    EXPECT_EQ(std::make_tuple(check.accepted, check.shown, check.range.low, check.range.high),
              std::make_tuple(accepted, stored, places ? 0 : 1, 8))
        << text;
    EXPECT_EQ(places ? format.PlacesRightOfDecimal : format.SignificantDigits, stored) << text;
    EXPECT_EQ(places ? format.SignificantDigits : format.PlacesRightOfDecimal, 5) << text;
  }
}

// Codes 0 and 2 raise, 1 and 3 lower, others are no step; the code is the whole wParam.
TEST(FormatDialog, ScrollStepsMoveTheNotationsNumberWithinItsBounds) {
  const struct {
    Notation notation;
    std::int32_t start;
    std::uintptr_t code;
    bool isStep, refused;
    std::int32_t after;
  } rows[] = {
      {ENGINEERING, 7, 2, true, false, 8},
      {ENGINEERING, 2, 3, true, false, 1},
      {SCIENTIFIC, 8, 0, true, true, 8},
      {SCIENTIFIC, 1, 1, true, true, 1},
      {FIXED_DECIMAL, 8, 2, true, true, 8},
      {FIXED_DECIMAL, 0, 3, true, true, 0},
      {FIXED_DECIMAL, 1, 1, true, false, 0},
      {ENGINEERING, 5, 4, false, false, 5},
      {FIXED_DECIMAL, 5, 0x30000, false, false, 5},
  };
  for (const auto& [notation, start, code, isStep, refused, after] : rows) {
    const bool places = notation == FIXED_DECIMAL;
    NumericFormat format{notation, places ? 5 : start, places ? start : 5, 0};
    const ScrollStep step = StepFormatNumber(code, format);
    EXPECT_EQ(std::make_tuple(step.isStep, step.refused, step.field, step.shown),
              std::make_tuple(isStep, refused, places ? kPlaces : kDigits, after))
        << notation << " from " << start << " code " << code;
    EXPECT_EQ(std::make_tuple(format.SignificantDigits, format.PlacesRightOfDecimal),
              std::make_tuple(places ? 5 : after, places ? after : 5));
  }
}

TEST(FormatDialog, EachNotationHasItsButtonAndItsDigitControls) {
  const int ids[] = {153, 156, 157, 158, 159, 160};  // the places' three, then the digits'
  for (const auto& [notation, button] :
       {std::make_pair(ENGINEERING, 150), std::make_pair(SCIENTIFIC, 151),
        std::make_pair(FIXED_DECIMAL, 152)}) {
    EXPECT_EQ(NotationRadioButton(notation), button);
    Notation back = notation == ENGINEERING ? SCIENTIFIC : ENGINEERING;
    EXPECT_TRUE(NotationOfRadioButton(button, back));
    EXPECT_EQ(back, notation);
    const auto states = DigitControlStates(notation);
    for (int i = 0; i < kDigitControlCount; ++i) {
      EXPECT_EQ(states[i].id, ids[i]);
      EXPECT_EQ(states[i].enabled, (i < 3) == (notation == FIXED_DECIMAL)) << ids[i];
    }
  }
  EXPECT_EQ(std::make_pair(EditOf(kPlaces), EditOf(kDigits)), std::make_pair(156, 159));
  Notation untouched = SCIENTIFIC;
  EXPECT_FALSE(NotationOfRadioButton(154, untouched));
  EXPECT_EQ(untouched, SCIENTIFIC);
}

TEST(FormatDialog, RangeMessageNamesBothBoundsAndReadsNothingElse) {
  EXPECT_EQ(FormatRangeMessage(QA_STR_RANGE_MESSAGE, 0, 8),
            "The value you entered is not within the allowed range.\r"
            "The range for this field is: 0 to 8.");
  EXPECT_EQ(FormatRangeMessage("%d %d %d %s %% %", -5, 2147483647), "-5 2147483647 %d %s % %");
}

}  // namespace
}  // namespace quantora
