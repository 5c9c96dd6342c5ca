#include "units/quantity.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace quantora {
namespace {

// Tables with "Length", "Area", "Volume", "area", "Area (land)" and four prefixes.
UnitTables MakeTables() {
  UnitTables t;
  const char* labels[] = {"Length", "Area", "Volume", "area", "Area (land)"};
  for (const char* l : labels) std::strcpy(t.DimensionLabels[t.NumberOfDimensions++], l);
  struct { const char* name; double mult; } scalers[] = {
      {"kilo", 1000.0}, {"No_Multiplier", 1.0}, {"centi", 0.01}, {"milli", 0.001}};
  for (auto& s : scalers) {
    std::strcpy(t.Scalers[t.NumberOfScalers].Name, s.name);
    t.Scalers[t.NumberOfScalers++].Mult = s.mult;
  }
  t.NoMultiplierIndex = 1;
  return t;
}

QuantityRecord MakeRecord(std::uint16_t dimension, const char* unit, std::uint16_t scaler,
                          bool selected = true) {
  QuantityRecord r;
  r.DimensionIndex = dimension;
  std::strcpy(r.UnitNames[0], "placeholder");
  std::strcpy(r.UnitNames[1], unit);
  r.NumberOfUnits = 2;
  r.Input.UnitIndex = 1;
  r.Input.UnitScalerIndex = scaler;
  r.Input.UnitSelected = selected ? 1 : 0;
  return r;
}

struct LabelCase {
  std::uint16_t dimension;
  const char* unit;
  std::uint16_t scaler;
  bool selected;
  const char* label;
  bool prefixForm;
  double scalerMult;
};

TEST(UnitLabel, ComposesAndScalesAsTheUserExpects) {
  const UnitTables t = MakeTables();
  const LabelCase cases[] = {
      {0, "meter", 0, true, "kilometer", true, 1000.0},
      {0, "meter", 1, true, "meter", true, 1.0},
      {1, "Square ^meters", 0, true, "Square kilometers", false, 1.0e6},
      {1, "Square ^meters", 1, true, "Square meters", false, 1.0},
      {1, "Square ^meters; land", 3, true, "Square millimeters", false, 1.0e-6},
      {2, "Cubic ^feet; US", 0, true, "Cubic kilofeet", false, 1.0e9},
      {2, "Cubic ^meters", 2, true, "Cubic centimeters", false, 0.01 * 0.01 * 0.01},
      {1, "hectare", 0, true, "kilohectare", true, 1000.0},  // unmarked Area unit: plain factor
      {3, "Square ^meters", 0, true, "Square kilometers", false, 1000.0},  // "area" is not "Area"
      {4, "Square ^meters", 0, true, "Square kilometers", false, 1000.0},  // nor "Area (land)"
      {0, "meter", 0, false, "", true, 1000.0},         // unselected side: empty, prefix form
      {1, "Square ^meters", 0, false, "", true, 1000.0},
      // Marks the label composition does not define: the missing parts are empty.
      {0, "^meter", 0, true, "kilometer", false, 1000.0},
      {0, "meter^", 0, true, "meterkilo", false, 1000.0},
      {0, "gram^ ;x", 0, true, "gramkilo", false, 1000.0},
      // Indexes that name nothing: a scaler index past the table gives no prefix and factor 1,
      // a Dimension index past the labels gets no square or cube.
      {0, "meter", 4, true, "meter", true, 1.0},
      {0, "meter", 49, true, "meter", true, 1.0},
      {60, "Square ^meters", 0, true, "Square kilometers", false, 1000.0},
      {kNoDimension, "Square ^meters", 0, true, "Square kilometers", false, 1000.0},
  };
  for (const LabelCase& c : cases) {
    QuantityRecord r = MakeRecord(c.dimension, c.unit, c.scaler, c.selected);
    char label[kLabelSize];
    EXPECT_EQ(ComposeUnitLabel(r, true, t, label), c.prefixForm) << c.unit;
    EXPECT_STREQ(label, c.label) << c.unit;
    EXPECT_DOUBLE_EQ(EffectiveScalerMult(r, true, t), c.scalerMult) << c.unit;
  }
}

TEST(UnitLabel, LongestNamesFitTheLabel) {
  UnitTables t = MakeTables();
  const std::string forty(40, 'n');
  std::strcpy(t.Scalers[0].Name, std::string(40, 'p').c_str());
  QuantityRecord r = MakeRecord(0, forty.c_str(), 0);
  char label[kLabelSize];
  ComposeUnitLabel(r, true, t, label);
  EXPECT_EQ(std::string(label), std::string(40, 'p') + forty);
}

TEST(UnitLabel, UnitIndexOutsideTheListGivesAnEmptyName) {
  const UnitTables t = MakeTables();
  QuantityRecord r = MakeRecord(0, "meter", 1);
  r.Input.UnitIndex = 2;  // only two names are in use
  char label[kLabelSize];
  ComposeUnitLabel(r, true, t, label);
  EXPECT_STREQ(label, "");
  r.Input.UnitIndex = 65535;
  ComposeUnitLabel(r, true, t, label);
  EXPECT_STREQ(label, "");
}

TEST(SwapSides, ExchangesChoicesButKeepsDimensionAndLabelPlaces) {
  QuantityRecord r = MakeRecord(0, "meter", 0);
  r.Input = {1, 0.3048, 2.0, 1000.0, 0, 10, 20, 502, 1};
  r.Output = {0, 1.0, 0.0, 1.0, 1, 30, 40, 508, 0};
  SwapSides(r);
  EXPECT_EQ(r.DimensionIndex, 0);
  EXPECT_EQ(r.Input.UnitIndex, 0);
  EXPECT_EQ(r.Input.UnitSelected, 0);
  EXPECT_EQ(r.Input.UnitScalerIndex, 1);
  EXPECT_EQ(r.Output.UnitIndex, 1);
  EXPECT_DOUBLE_EQ(r.Output.UnitMult, 0.3048);
  EXPECT_DOUBLE_EQ(r.Output.UnitOffset, 2.0);
  EXPECT_DOUBLE_EQ(r.Output.UnitScalerMult, 1000.0);
  EXPECT_EQ(r.Output.UnitScalerIndex, 0);
  EXPECT_EQ(r.Output.UnitSelected, 1);
  // Label places and ids belong to the controls, not to the choice.
  EXPECT_EQ(r.Input.LabelX, 10);
  EXPECT_EQ(r.Input.LabelId, 502);
  EXPECT_EQ(r.Output.LabelY, 40);
  EXPECT_EQ(r.Output.LabelId, 508);

  // Only the input side was chosen: after the swap the input label is empty and the output
  // label names the former input unit.
  const UnitTables t = MakeTables();
  char label[kLabelSize];
  ComposeUnitLabel(r, true, t, label);
  EXPECT_STREQ(label, "");
  ComposeUnitLabel(r, false, t, label);
  EXPECT_STREQ(label, "kilometer");
}

}  // namespace
}  // namespace quantora
