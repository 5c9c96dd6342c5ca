#include "conversion/format_dialog.h"

#include <gtest/gtest.h>

#include "resources/convert.h"
#include "resources/strings.h"

namespace quantora {
namespace {

TEST(FormatDialog, EditChecksStoreAcceptedNumbersAndKeepTheSettingOtherwise) {
  const struct {
    FormatField field;
    const char* text;
    bool accepted;
    std::int32_t stored;  // the setting afterwards, also what the edit shows again
  } cases[] = {
      // Places, 0..8, starting from 5.
      {FormatField::kPlaces, "", true, 0},  // an emptied edit reads as 0, which is in range
      {FormatField::kPlaces, "0", true, 0},
      {FormatField::kPlaces, "8", true, 8},
      {FormatField::kPlaces, "007", true, 7},
      {FormatField::kPlaces, "9", false, 5},
      {FormatField::kPlaces, "4294967295", false, 5},  // -1 as a signed number
      {FormatField::kPlaces, "2147483648", false, 5},  // the smallest signed number
      {FormatField::kPlaces, "2147483647", false, 5},
      {FormatField::kPlaces, "4294967296", false, 5},  // too long for 32 bits: not taken as 0
      {FormatField::kPlaces, "xyz", false, 5},
      {FormatField::kPlaces, "\t 6 ", true, 6},  // blanks and tabs around the digits
      {FormatField::kPlaces, "   ", true, 0},
      {FormatField::kPlaces, "5a", false, 5},
      {FormatField::kPlaces, "-3", false, 5},
      {FormatField::kPlaces, "+3", false, 5},
      {FormatField::kPlaces, "3 4", false, 5},
      {FormatField::kPlaces, "99999999999999999999999", false, 5},
      // Significant digits, 1..8, starting from 5.
      {FormatField::kSignificantDigits, "", false, 5},
      {FormatField::kSignificantDigits, "0", false, 5},
      {FormatField::kSignificantDigits, "1", true, 1},
      {FormatField::kSignificantDigits, "8", true, 8},
      {FormatField::kSignificantDigits, "003", true, 3},
      {FormatField::kSignificantDigits, "9", false, 5},
      {FormatField::kSignificantDigits, "4294967295", false, 5},
      {FormatField::kSignificantDigits, "abc", false, 5},
  };
  for (const auto& c : cases) {
    NumericFormat format;
    format.SignificantDigits = 5;
    format.PlacesRightOfDecimal = 5;
    const bool places = c.field == FormatField::kPlaces;
    SCOPED_TRACE(testing::Message() << (places ? "places" : "digits") << " \"" << c.text << "\"");
    const EditCheck check = CheckFormatEdit(c.field, c.text, format);
    EXPECT_EQ(check.accepted, c.accepted);
    EXPECT_EQ(check.shown, c.stored);
    EXPECT_EQ(places ? format.PlacesRightOfDecimal : format.SignificantDigits, c.stored);
    // The other number is never touched.
    EXPECT_EQ(places ? format.SignificantDigits : format.PlacesRightOfDecimal, 5);
    EXPECT_EQ(check.range.low, places ? 0 : 1);
    EXPECT_EQ(check.range.high, 8);
  }
}

TEST(FormatDialog, ScrollStepsMoveTheNumberOfTheNotationWithinItsBounds) {
  const struct {
    Notation notation;
    std::int32_t start;
    std::uintptr_t code;
    bool isStep;
    bool refused;
    std::int32_t after;
  } cases[] = {
      // Significant digits (Engineering, Scientific): 1..8.
      {ENGINEERING, 5, 0, true, false, 6},  // upper arrow
      {ENGINEERING, 5, 2, true, false, 6},  // page up
      {ENGINEERING, 5, 1, true, false, 4},  // lower arrow
      {ENGINEERING, 5, 3, true, false, 4},  // page down
      {SCIENTIFIC, 8, 0, true, true, 8},
      {SCIENTIFIC, 8, 2, true, true, 8},
      {SCIENTIFIC, 1, 1, true, true, 1},
      {SCIENTIFIC, 1, 3, true, true, 1},
      {SCIENTIFIC, 7, 0, true, false, 8},
      {SCIENTIFIC, 2, 1, true, false, 1},
      // Places (Fixed Decimal): 0..8.
      {FIXED_DECIMAL, 8, 0, true, true, 8},
      {FIXED_DECIMAL, 0, 1, true, true, 0},
      {FIXED_DECIMAL, 1, 3, true, false, 0},
      {FIXED_DECIMAL, 0, 2, true, false, 1},
      // Thumb codes and the end of a scroll change nothing and do not beep.
      {ENGINEERING, 5, 4, false, false, 5},
      {ENGINEERING, 5, 5, false, false, 5},
      {ENGINEERING, 5, 8, false, false, 5},
      {FIXED_DECIMAL, 5, 7, false, false, 5},
      // The code is the whole wParam: a thumb position in the high word is no step.
      {FIXED_DECIMAL, 5, 0x00030000u, false, false, 5},
  };
  for (const auto& c : cases) {
    NumericFormat format;
    format.ValueDisplayType = c.notation;
    const bool places = c.notation == FIXED_DECIMAL;
    (places ? format.PlacesRightOfDecimal : format.SignificantDigits) = c.start;
    const std::int32_t otherBefore = places ? format.SignificantDigits : format.PlacesRightOfDecimal;
    SCOPED_TRACE(testing::Message() << "notation " << c.notation << " from " << c.start << " code "
                                    << c.code);
    const ScrollStep step = StepFormatNumber(c.code, format);
    EXPECT_EQ(step.isStep, c.isStep);
    EXPECT_EQ(step.refused, c.refused);
    EXPECT_EQ(step.field, places ? FormatField::kPlaces : FormatField::kSignificantDigits);
    EXPECT_EQ(step.shown, c.after);
    EXPECT_EQ(places ? format.PlacesRightOfDecimal : format.SignificantDigits, c.after);
    EXPECT_EQ(places ? format.SignificantDigits : format.PlacesRightOfDecimal, otherBefore);
  }
}

TEST(FormatDialog, EachNotationEnablesOnlyItsOwnDigitControlsInOrder) {
  const struct {
    Notation notation;
    bool places;  // places controls enabled, digit controls disabled
  } cases[] = {{ENGINEERING, false}, {SCIENTIFIC, false}, {FIXED_DECIMAL, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "notation " << c.notation);
    const auto states = DigitControlStates(c.notation);
    const int order[] = {IDC_PLACES_LABEL, IDC_PLACES_EDIT,  IDC_PLACES_SCROLL,
                         IDC_DIGITS_LABEL, IDC_DIGITS_EDIT, IDC_DIGITS_SCROLL};
    for (int i = 0; i < kDigitControlCount; ++i) {
      EXPECT_EQ(states[i].id, order[i]) << "position " << i;
      EXPECT_EQ(states[i].enabled, i < 3 ? c.places : !c.places) << "control " << order[i];
    }
  }
}

// Each notation has a button of its own that leads back to it; other controls lead nowhere.
TEST(FormatDialog, RadioButtonsAndNotationsCorrespond) {
  for (Notation notation : {ENGINEERING, SCIENTIFIC, FIXED_DECIMAL}) {
    const int button = NotationRadioButton(notation);
    Notation back = notation == ENGINEERING ? SCIENTIFIC : ENGINEERING;
    ASSERT_TRUE(NotationOfRadioButton(button, back)) << "button " << button;
    EXPECT_EQ(back, notation) << "button " << button;
  }
  Notation untouched = SCIENTIFIC;
  for (int id : {IDC_TRUNCATE, IDC_FORMAT_OK, IDC_NOTATION_GROUP, 1, 2}) {
    EXPECT_FALSE(NotationOfRadioButton(id, untouched)) << "id " << id;
    EXPECT_EQ(untouched, SCIENTIFIC) << "id " << id;
  }
}

TEST(FormatDialog, RangeMessageNamesBothBounds) {
  const struct {
    const char* pattern;
    std::int32_t low, high;
    const char* text;
  } cases[] = {
      {QA_STR_RANGE_MESSAGE, 1, 8,
       "The value you entered is not within the allowed range.\rThe range for this field is: 1 "
       "to 8."},
      {QA_STR_RANGE_MESSAGE, 0, 8,
       "The value you entered is not within the allowed range.\rThe range for this field is: 0 "
       "to 8."},
      {"%d..%d", -5, 2147483647, "-5..2147483647"},
      // A pattern asking for more than the two bounds, or for other conversions, is shown as
      // it stands rather than reading arguments it was not given.
      {"%d %d %d %s %", 3, 4, "3 4 %d %s %"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatRangeMessage(c.pattern, c.low, c.high), c.text) << "pattern " << c.pattern;
  }
}

}  // namespace
}  // namespace quantora
