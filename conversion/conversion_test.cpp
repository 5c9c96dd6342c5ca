#include "conversion/conversion.h"

#include <gtest/gtest.h>

#include <vector>

namespace quantora {
namespace {

// A chosen side in a slot (0..2 numerators, 3..5 denominators): factor, offset, prefix factor.
struct Pick {
  int slot;
  double mult, offset = 0.0, scaler = 1.0;
};

// Sides with no unit chosen still carry factors, as a multiplier picked without a unit or the
// first multiplier named by a settings file leaves them; they must change nothing.
ConversionState StateWith(const std::vector<Pick>& in, const std::vector<Pick>& out,
                          double value = 1.0) {
  ConversionState s;
  s.InputValuePresent = 1;
  s.InputValue = value;
  for (QuantityRecord& r : s.QuantityRecords)
    r.Input = r.Output = {0, 7.0, 3.0, 1e30, 0, 0, 0, 0, 0};
  for (const Pick& p : in)
    s.QuantityRecords[p.slot].Input = {0, p.mult, p.offset, p.scaler, 0, 0, 0, 0, 1};
  for (const Pick& p : out)
    s.QuantityRecords[p.slot].Output = {0, p.mult, p.offset, p.scaler, 0, 0, 0, 0, 1};
  return s;
}

const Pick kCelsius{0, 1.0, 273.15}, kFahrenheit{0, 5.0 / 9.0, 459.67}, kKelvin{0, 1.0};
const Pick kKilometer{0, 1.0, 0.0, 1000.0}, kHour{3, 3600.0}, kPerMinute{3, 60.0};

// Offsets count only when each side is one plain numerator unit; otherwise every unit of
// both sides is an interval.
TEST(ConvertValue, TheChainEachWayWithOffsetsOnlyForOnePlainUnitOnEachSide) {
  const struct {
    const char* what;
    bool multi;
    std::vector<Pick> in, out;
    double value, expected;
  } rows[] = {
      {"degC -> degF", false, {kCelsius}, {kFahrenheit}, 100.0, 212.0},
      {"km -> ft", false, {kKilometer}, {{0, 0.3048}}, 3.0, 9842.5196850393700787},
      {"km/h -> m/s", true, {kKilometer, kHour}, {kKelvin, {3, 1.0}}, 3.6e300, 1e300},
      {"kg*m/s^2 -> lb*ft/min^2",
       true,
       {{0, 1}, {1, 1}, {3, 1}, {4, 1}},
       {{0, 0.45359237}, {1, 0.3048}, {3, 60}, {4, 60}},
       1.0,
       3600.0 / (0.45359237 * 0.3048)},
      {"degC in slot 1 -> degF in slot 2",
       true,
       {{1, 1.0, 273.15}},
       {{2, 5.0 / 9.0, 459.67}},
       10.0,
       50.0},
      {"degC/min -> degF", true, {kCelsius, kPerMinute}, {kFahrenheit}, 10.0, 0.3},
      {"degC -> degF/min", true, {kCelsius}, {kFahrenheit, kPerMinute}, 10.0, 1080.0},
      {"degC -> K*K", true, {kCelsius}, {kKelvin, {1, 1.0}}, 10.0, 10.0},
      {"per degC -> per K", true, {{3, 1.0, 273.15}}, {{3, 1.0}}, 10.0, 10.0},
  };
  for (const auto& row : rows) {
    const double got = ConvertValue(StateWith(row.in, row.out), row.value, row.multi);
    EXPECT_NEAR(got / row.expected, 1.0, 1e-12) << row.what;
  }
}

TEST(CanConvert, AValueAndAUnitOnBothSidesAndInSimpleModeNoZeroDivisor) {
  const struct {
    const char* what;
    ConversionState state;
    bool multi, can;
  } rows[] = {
      {"simple, both chosen", StateWith({kKelvin}, {kKelvin}), false, true},
      {"simple, output not chosen", StateWith({kKelvin}, {}), false, false},
      {"simple, input not chosen", StateWith({}, {kKelvin}), false, false},
      {"simple, zero output factor", StateWith({kKelvin}, {{0, -0.0}}), false, false},
      {"multi, any slot each side", StateWith({{1, 1.0}}, {{4, 0.0}}), true, true},
      {"multi, only input sides", StateWith({{1, 1.0}, kHour}, {}), true, false},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(CanConvert(row.state, row.multi), row.can) << row.what;
    ConversionState absent = row.state;
    absent.InputValuePresent = 0;
    EXPECT_FALSE(CanConvert(absent, row.multi)) << row.what << ", no value";
  }
}

TEST(DisplayTexts, ResultOnlyWhenConvertibleEchoOnlyWhenPresent) {
  const NumericFormat format;  // engineering, 5 digits
  const DisplayTexts noOutput = ComputeDisplayTexts(StateWith({kKelvin}, {}, 1234.5678), format);
  EXPECT_EQ(noOutput.result + "|" + noOutput.echo, "|1.2346 E3");
  EXPECT_EQ(ComputeDisplayTexts(StateWith({kKelvin}, {{0, 0.001}}, 1234.5678), format).result,
            "1.2346 E6");
  ConversionState s = StateWith({kKelvin}, {{0, 1e-300}}, 1e300);
  EXPECT_EQ(ComputeDisplayTexts(s, format).result, "Infinity");
  s.InputValuePresent = 0;
  EXPECT_EQ(ComputeDisplayTexts(s, format).result + ComputeDisplayTexts(s, format).echo, "");
  s = StateWith({kKelvin}, {{0, 0.0}}, 0.0);
  s.MultiDimensional = 1;  // multi-unit mode does not refuse a zero factor
  EXPECT_EQ(ComputeDisplayTexts(s, format).result, "Undefined");
}

}  // namespace
}  // namespace quantora
