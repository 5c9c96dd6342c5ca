#include "units/quantity.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "units/catalog_file.h"
#include "units/recording_reporter.h"
#include "units/text_file_test_util.h"

namespace quantora {
namespace {

// The input side's label and prefix factor: the prefix goes before the name, or at the caret,
// where "Area" squares and "Volume" cubes it. The tables are those of the test catalogue, with
// Dimension 4 renamed "area" and 5 "Area (land)", and the first prefix forty p's long.
TEST(UnitLabel, PrefixBeforeTheNameOrAtTheCaret) {
  RecordingReporter reporter;
  UnitTables t;
  LoadDimensionLabels(reporter, t, testing::kTestCataloguePath);
  t.NumberOfScalers = LoadScalers(reporter, t, testing::kTestCataloguePath);
  std::strcpy(t.DimensionLabels[4], "area");
  std::strcpy(t.DimensionLabels[5], "Area (land)");
  std::strcpy(t.Scalers[0].Name, std::string(40, 'p').c_str());
  const struct {
    std::uint16_t dimension;
    std::string unit;
    std::uint16_t scaler;
    std::string label;
    double scalerMult;
  } rows[] = {
      {0, "meter", 1, "kilometer", 1000.0},
      {0, "meter", 2, "meter", 1.0},
      {1, "Square ^meters", 1, "Square kilometers", 1.0e6},
      {1, "Square ^meters; land", 4, "Square millimeters", 1.0e-6},
      {2, "Cubic ^feet; US", 3, "Cubic centifeet", 1e-6},
      {1, "hectare", 1, "kilohectare", 1000.0},
      {4, "Square ^meters", 1, "Square kilometers", 1000.0},
      {5, "Square ^meters", 1, "Square kilometers", 1000.0},
      {60, "Square ^meters", 1, "Square kilometers", 1000.0},
      {0, "^meter", 1, "kilometer", 1000.0},
      {0, "gram^ ;x", 1, "gramkilo", 1000.0},
      {0, std::string(40, 'n'), 0, std::string(40, 'p') + std::string(40, 'n'), 1e30},
      {0, "meter", 5, "meter", 1.0},  // a prefix index past the table
  };
  for (const auto& [dimension, unit, scaler, label, scalerMult] : rows) {
    QuantityRecord r;
    r.DimensionIndex = dimension;
    std::strcpy(r.UnitNames[1], unit.c_str());
    r.NumberOfUnits = 2;
    r.Input = {1, 1.0, 0.0, 1.0, scaler, 0, 0, 0, 1};
    char text[kLabelSize];
    ComposeUnitLabel(r, true, t, text);
    EXPECT_EQ(text, label);
    EXPECT_DOUBLE_EQ(EffectiveScalerMult(r, true, t), scalerMult) << unit;
    r.Input.UnitSelected = 0;  // no unit chosen: no label
    ComposeUnitLabel(r, true, t, text);
    EXPECT_STREQ(text, "") << unit;
  }
  QuantityRecord r;  // a unit outside the list has no name: only the prefix shows
  r.NumberOfUnits = 2;
  r.Input = {2, 1.0, 0.0, 1.0, 1, 0, 0, 0, 1};
  char text[kLabelSize];
  ComposeUnitLabel(r, true, t, text);
  EXPECT_STREQ(text, "kilo");
  // An unchosen marked unit of "Area" takes the plain prefix factor.
  std::strcpy(r.UnitNames[0], "Square ^meters");
  r.DimensionIndex = 1;
  r.Input = {0, 1.0, 0.0, 1.0, 1, 0, 0, 0, 0};
  EXPECT_DOUBLE_EQ(EffectiveScalerMult(r, true, t), 1000.0);
}

TEST(SwapSides, ExchangesTheChoicesButNotTheLabelPlaces) {
  const auto fields = [](const UnitSelection& s) {
    return std::make_tuple(s.UnitIndex, s.UnitMult, s.UnitOffset, s.UnitScalerMult,
                           s.UnitScalerIndex, s.LabelX, s.LabelY, s.LabelId, s.UnitSelected);
  };
  QuantityRecord r;
  r.Input = {1, 0.3048, 2.0, 1000.0, 0, 10, 20, 502, 1};
  r.Output = {0, 1.0, 0.0, 1.0, 1, 30, 40, 508, 0};
  SwapSides(r);
  EXPECT_EQ(fields(r.Input), fields({0, 1.0, 0.0, 1.0, 1, 10, 20, 502, 0}));
  EXPECT_EQ(fields(r.Output), fields({1, 0.3048, 2.0, 1000.0, 0, 30, 40, 508, 1}));
}

}  // namespace
}  // namespace quantora
