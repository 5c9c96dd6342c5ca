#include "conversion/conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace quantora {
namespace {

void Choose(UnitSelection& side, double mult, double offset = 0.0, double scaler = 1.0) {
  side.UnitMult = mult;
  side.UnitOffset = offset;
  side.UnitScalerMult = scaler;
  side.UnitSelected = 1;
}

TEST(TypedValue, ReadsTheLeadingDecimalNumberWithBlanksRemoved) {
  const double inf = std::numeric_limits<double>::infinity();
  struct { const char* text; double value; } cases[] = {
      {"1 000", 1000.0},
      {"1,5", 1.0},
      {"2.5e3", 2500.0},
      {"abc", 0.0},
      {"", 0.0},
      {" -.5e-3x", -0.0005},
      {"1e999", inf},
      {"-1e999", -inf},
      {"1e-999", 0.0},
      {"0x10", 0.0},
      {"inf", 0.0},
      {"nan", 0.0},
      {"-", 0.0},
      {".", 0.0},
      {"+.5", 0.5},
      {"5.", 5.0},
      {"2.5e", 2.5},
      {"2.5e+", 2.5},
      {"1.2346 E3", 1234.6},      // the echo of the engineering notation reads back
      {"123.46 E-6", 123.46e-6},
      {"\t 7", 7.0},               // leading white space is skipped
      {"7\t8", 7.0},               // a tab is not a blank: it stays and ends the number
      {"0.1", 0.1},                // correctly rounded
      {"4.9406564584124654e-324", 4.9406564584124654e-324},
      {"1.7976931348623157e308", 1.7976931348623157e308},
      {"0.00000000000000000000000000000001e32", 1.0},
      {"123456789012345678901234567890", 123456789012345678901234567890.0},
  };
  for (auto& c : cases) {
    EXPECT_EQ(ReadInputText(c.text), c.value) << '"' << c.text << '"';
  }
  EXPECT_TRUE(std::signbit(ReadInputText("-0")));
}

TEST(TypedValue, OnlyTheFirst49CharactersOfTheControlCount) {
  const std::string digits = std::string(48, '1') + "23";  // 50 digits
  EXPECT_EQ(ReadInputText(digits), std::strtod(digits.substr(0, 49).c_str(), nullptr));
}

TEST(CanConvert, NeedsAValueAndAUnitOnBothSides) {
  ConversionState s;
  EXPECT_FALSE(CanConvert(s, false));
  s.InputValuePresent = 1;
  Choose(s.QuantityRecords[0].Input, 1.0);
  EXPECT_FALSE(CanConvert(s, false));  // output side not chosen
  Choose(s.QuantityRecords[0].Output, 1.0);
  EXPECT_TRUE(CanConvert(s, false));
  s.QuantityRecords[0].Output.UnitMult = -0.0;
  EXPECT_FALSE(CanConvert(s, false));  // no division by a zero output factor

  ConversionState m;
  m.InputValuePresent = 1;
  Choose(m.QuantityRecords[1].Input, 1.0);
  EXPECT_FALSE(CanConvert(m, true));  // only input sides
  Choose(m.QuantityRecords[4].Output, 0.0);
  EXPECT_TRUE(CanConvert(m, true));   // any slot on each side; factors not tested
  m.InputValuePresent = 0;
  EXPECT_FALSE(CanConvert(m, true));
}

TEST(ConvertValue, SimpleModeAppliesPrefixOffsetAndFactorEachWay) {
  ConversionState s;
  Choose(s.QuantityRecords[0].Input, 1.0, 273.15);
  Choose(s.QuantityRecords[0].Output, 5.0 / 9.0, 459.67);
  EXPECT_NEAR(ConvertValue(s, 100.0, false), 212.0, 1e-12);  // Celsius to Fahrenheit

  ConversionState k;  // 3 kilometers in feet
  Choose(k.QuantityRecords[0].Input, 1.0, 0.0, 1000.0);
  Choose(k.QuantityRecords[0].Output, 0.3048);
  EXPECT_NEAR(ConvertValue(k, 3.0, false), 9842.5196850393700787, 1e-9);
  // Slots 1..5 take no part in simple mode.
  Choose(k.QuantityRecords[3].Input, 1000.0);
  EXPECT_NEAR(ConvertValue(k, 3.0, false), 9842.5196850393700787, 1e-9);
}

TEST(ConvertValue, MultiUnitModeRunsNumeratorsAndDenominatorsBothWays) {
  // 36 km/h -> m/s: kilometer (prefix 1000) over hour (3600) into meter over second.
  ConversionState s;
  Choose(s.QuantityRecords[0].Input, 1.0, 0.0, 1000.0);
  Choose(s.QuantityRecords[3].Input, 3600.0);
  Choose(s.QuantityRecords[0].Output, 1.0);
  Choose(s.QuantityRecords[3].Output, 1.0);
  EXPECT_DOUBLE_EQ(ConvertValue(s, 36.0, true), 10.0);

  // 1 kg*m/s^2 with three numerators and two denominators into pound-force-like units.
  ConversionState f;
  Choose(f.QuantityRecords[0].Input, 1.0);  // kilogram
  Choose(f.QuantityRecords[1].Input, 1.0);  // meter
  Choose(f.QuantityRecords[3].Input, 1.0);  // second
  Choose(f.QuantityRecords[4].Input, 1.0);  // second
  Choose(f.QuantityRecords[0].Output, 0.45359237);  // pound
  Choose(f.QuantityRecords[1].Output, 0.3048);      // foot
  Choose(f.QuantityRecords[3].Output, 60.0);        // minute
  Choose(f.QuantityRecords[4].Output, 60.0);        // minute
  EXPECT_NEAR(ConvertValue(f, 1.0, true), 3600.0 / (0.45359237 * 0.3048), 1e-9);
}

// A temperature is converted as a temperature only when each side is that one numerator
// alone; as soon as either side is a compound, both sides are intervals. Slot 0 numerator,
// slot 3 denominator; Celsius (1, 273.15), Fahrenheit (5/9, 459.67), minute 60.
TEST(ConvertValue, OffsetsApplyOnlyWhenBothSidesAreOnePlainNumerator) {
  struct Side { int slot; double mult, offset; };
  const Side celsius{0, 1.0, 273.15}, fahrenheit{0, 5.0 / 9.0, 459.67}, minute{3, 60.0, 0.0},
      kelvin{0, 1.0, 0.0}, numeratorK{1, 1.0, 0.0}, kilogram{3, 1.0, 0.0},
      perCelsius{4, 1.0, 273.15}, perKelvin{4, 1.0, 0.0};
  struct Row {
    const char* name;
    std::vector<Side> in, out;
    double expected;
  } rows[] = {
      {"degC/min -> degF (compound in, plain out)", {celsius, minute}, {fahrenheit}, 0.3},
      {"degC/min -> degF/min", {celsius, minute}, {fahrenheit, minute}, 18.0},
      {"degC -> degF/min (plain in, compound out)", {celsius}, {fahrenheit, minute}, 1080.0},
      {"degC -> K*K (plain in, two numerators out)", {celsius}, {kelvin, numeratorK}, 10.0},
      {"J/(kg*degC) -> J/(kg*K)", {kelvin, kilogram, perCelsius}, {kelvin, kilogram, perKelvin},
       10.0},
      {"degC in slot 1 -> degF in slot 2: each side one numerator", {{1, 1.0, 273.15}},
       {{2, 5.0 / 9.0, 459.67}}, 50.0},
      {"per degC -> per K: a lone denominator is no plain unit", {{3, 1.0, 273.15}},
       {{3, 1.0, 0.0}}, 10.0},
  };
  for (const Row& r : rows) {
    ConversionState s;
    for (const Side& x : r.in) Choose(s.QuantityRecords[x.slot].Input, x.mult, x.offset);
    for (const Side& x : r.out) Choose(s.QuantityRecords[x.slot].Output, x.mult, x.offset);
    EXPECT_NEAR(ConvertValue(s, 10.0, true), r.expected, 1e-9 * r.expected) << r.name;
  }
}

TEST(ConvertValue, ZeroDivisorsAndOverflowGiveNonFiniteResults) {
  ConversionState s;
  Choose(s.QuantityRecords[0].Input, 1.0);
  Choose(s.QuantityRecords[0].Output, 0.0);
  EXPECT_TRUE(std::isinf(ConvertValue(s, 1.0, true)));
  EXPECT_TRUE(std::isnan(ConvertValue(s, 0.0, true)));
  s.QuantityRecords[0].Output.UnitMult = 1e-300;
  EXPECT_TRUE(std::isinf(ConvertValue(s, 1e300, false)));
}

TEST(DisplayTexts, ResultOnlyWhenConvertibleEchoOnlyWhenPresent) {
  NumericFormat format;  // engineering, 5 digits
  ConversionState s;
  s.InputValue = 1.0;
  EXPECT_EQ(ComputeDisplayTexts(s, format).result, "");
  EXPECT_EQ(ComputeDisplayTexts(s, format).echo, "");

  s.InputValuePresent = 1;
  s.InputValue = 1234.5678;
  Choose(s.QuantityRecords[0].Input, 1.0);
  DisplayTexts t = ComputeDisplayTexts(s, format);
  EXPECT_EQ(t.result, "");  // output side not chosen
  EXPECT_EQ(t.echo, "1.2346 E3");
  EXPECT_EQ(ReadInputText(t.echo), 1234.6);

  Choose(s.QuantityRecords[0].Output, 0.001);
  t = ComputeDisplayTexts(s, format);
  EXPECT_EQ(t.result, "1.2346 E6");
  s.MultiDimensional = 1;
  s.QuantityRecords[0].Output.UnitMult = 0.0;  // multi-unit mode does not refuse a zero factor
  t = ComputeDisplayTexts(s, format);
  EXPECT_EQ(t.result, "Infinity");
}

}  // namespace
}  // namespace quantora
