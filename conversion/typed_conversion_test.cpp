#include "conversion/typed_conversion.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "testing/recording_reporter_test_util.h"

namespace quantora {
namespace {

constexpr const char* kShipped = QUANTORA_SOURCE_DIR "/data/QUANTORA.TXT";

const UnitTables& ShippedTables() {
  static const UnitTables tables = [] {
    RecordingReporter reporter;
    UnitTables t;
    LoadDimensionLabels(reporter, t, kShipped);
    t.NumberOfScalers = LoadScalers(reporter, t, kShipped);
    return t;
  }();
  return tables;
}

// Typed texts as the dialog's line shows them over the shipped files, in the window's default
// format, with the mode the conversion lands in.
TEST(TypedConversion, ReadsTypedTextsOverTheShippedFiles) {
  const auto reader = LoadTypedConversionReader(ShippedTables(), kShipped);
  const struct {
    const char* text;
    bool multiUnit;
    const char* line;
  } rows[] = {
      {"60 mph to km/h", false, "60 mile per hour = 96.561 kilometer per hour"},
      // A multiplier counts twice in a square unit, three times in a cubic one.
      {"1 1/4 km\xB2 in ha", false, "1.25 Square kilometers = 125.00 hectare"},
      {"2 dm cubed to L", false, "2 Cubic decimeters = 2.0000 liter"},
      {"1e3 kW h to MJ", false, "1 E3 kilowatt-hour = 3.6000 E3 megajoule"},
      // "in" is the inch and the separator.
      {"12 in in cm", false, "12 inch = 30.480 centimeter"},
      // One catalogue unit on each side, with a multiplier for the whole unit.
      {"1 kN/m\xB2 -> Pa", false, "1 kilonewton per square meter = 1.0000 E3 pascal"},
      {"3 meter/second^2 = ft per second squared", false,
       "3 meter per second squared = 9.8425 foot per second squared"},
      {"1 gal/ft^2 as L/m^2", true,
       "1 gallon; US per Square feet = 40.746 liter per Square meters"},
      {"5 ft 11 in to cm", false, "71 inch = 180.34 centimeter"},
      {"5'11 to cm", false, "71 inch = 180.34 centimeter"},
      {"0.5 h 30 min to min", false, "60 minute = 60.000 minute"},
      {"HOW MANY FEET IN A MILE", false, "1 mile = 5.2800 E3 foot"},
      {"1 N m2 to N ft2", true, "1 newton Square meters = 10.764 newton Square feet"},
      // The parts of a hyphened name, in any order, are that unit.
      {"1 atm L to J", false, "1 liter-atmosphere = 101.33 joule"},
      {"to meter", false, "No unit before \"to\""},
      {"500 ml to oz", false, "500 milliliter = 16.907 fluid ounce; US"},  // a second reading
      {"+0 K to C", false, "0 Kelvin = -273.15 Celsius"},
      {"100 \xB0" "F into \xC2\xB0" "C", false, "100 Fahrenheit = 37.778 Celsius"},
      {"60 furlongz to", false, "No unit after \"to\""},
      {"1 kg to m", false, "kilogram (Mass) does not convert to meter (Length)"},
      {"1 meter kilogram second ampere to meter", false,
       "Too many units: the multi-unit mode holds three over three, and \"ampere\" is a fourth"},
      {"1 m to 2 ft", false, "Unexpected number \"2\""},
      {"1 m\xB3\xB3 to L", false, "Unexpected \"\xB3\""},  // no ninth power
      {"and 5 m to ft", false, "No unit after \"and\""},
      {"1,x00 m to ft", false, "Unknown unit \"x00\""},  // no group of three
      {"60 mph", false, "Nothing to convert to after \"mph\": add \"to\" and a unit"},
      {"5 /", false, "No unit after \"/\""},
      {"1 MWh to kW min", true, "1 megawatt hour = 60.000 E3 kilowatt minute"},
  };
  NumericFormat format;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(reader->Line(row.text, format), row.line);
    EXPECT_EQ(reader->Read(row.text).multiUnit, row.multiUnit);
  }
}

// Applied, the reading is what the window then converts: the value, and the units read from
// the file as a pick in the dialog reads them.
TEST(TypedConversion, AppliedReadingConvertsInTheWindowsState) {
  const auto reader = LoadTypedConversionReader(ShippedTables(), kShipped);
  auto state = std::make_unique<ConversionState>();
  RecordingReporter reporter;
  ASSERT_TRUE(reader->Apply(reader->Read("3 gallon/mile to liter/kilometer"), *state, reporter,
                            kShipped));
  EXPECT_TRUE(state->MultiDimensional);
  EXPECT_NEAR(ConvertValue(*state, state->InputValue, true), 7.0564, 1e-4);
  // A catalogue gone since the reader read it: nothing is applied, and the caller is told.
  EXPECT_FALSE(reader->Apply(reader->Read("1 m to ft"), *state, reporter, "no such file"));
}

}  // namespace
}  // namespace quantora
