// The catalogue that ships with the program, data/QUANTORA.TXT, read with the program's own
// readers: every unit must show a label of its own, the square and cubic units must take their
// prefix inside the name, and the multipliers must be the standard prefixes. (That the readers
// find every unit of the file whole, with its factor, is checked against a reference in
// catalog_accuracy_test.cpp.)
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "conversion/conversion.h"
#include "units/catalog_file.h"
#include "units/quantity.h"
#include "units/recording_reporter.h"
#include "units/text_file_test_util.h"

namespace quantora {
namespace {

const std::string kCatalogPath = std::string(QUANTORA_SOURCE_DIR) + "/data/QUANTORA.TXT";

class CatalogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadDimensionLabels(reporter_, tables_, kCatalogPath.c_str());
    tables_.NumberOfScalers = LoadScalers(reporter_, tables_, kCatalogPath.c_str());
    ASSERT_TRUE(reporter_.messages.empty()) << reporter_.messages[0].text;
  }

  // A fresh record of the Dimension, its unit names read by the program's reader.
  std::unique_ptr<QuantityRecord> RecordOf(int dimension) {
    auto record = std::make_unique<QuantityRecord>();
    record->DimensionIndex = static_cast<std::uint16_t>(dimension);
    LoadUnitNames(reporter_, tables_, *record, kCatalogPath.c_str());
    return record;
  }

  int DimensionIndexOf(const std::string& label) const {
    for (int i = 0; i < tables_.NumberOfDimensions; ++i) {
      if (label == tables_.DimensionLabels[i]) return i;
    }
    return -1;
  }

  int ScalerIndexOf(const std::string& name) const {
    for (int i = 0; i < tables_.NumberOfScalers; ++i) {
      if (name == tables_.Scalers[i].Name) return i;
    }
    return -1;
  }

  RecordingReporter reporter_;
  UnitTables tables_;
};

// The main window shows a unit by its label, which keeps only the word after the caret: no
// two units of one quantity may come out alike there. The caret is one mark inside the name, in
// front of the word the prefix joins.
TEST_F(CatalogTest, NoTwoUnitsOfAQuantityShowTheSameLabel) {
  for (int d = 0; d < tables_.NumberOfDimensions; ++d) {
    // The label search takes the first head that begins with the label: no label may begin
    // with another one, whatever the order of the sections.
    const std::string dimension = tables_.DimensionLabels[d];
    for (int other = 0; other < tables_.NumberOfDimensions; ++other) {
      EXPECT_TRUE(other == d || dimension.rfind(tables_.DimensionLabels[other], 0) != 0)
          << dimension;
    }
    auto record = RecordOf(d);
    std::map<std::string, std::string> unitOfLabel;
    for (int u = 0; u < record->NumberOfUnits; ++u) {
      const std::string name = record->UnitNames[u];
      EXPECT_FALSE(name.back() == ' ' || name.find("  ") != std::string::npos) << name;
      const std::size_t caret = name.find('^');
      EXPECT_TRUE(caret == std::string::npos ||
                  (caret > 0 && name.find('^', caret + 1) == std::string::npos &&
                   std::isalpha(static_cast<unsigned char>(name[caret + 1]))))
          << name;
      record->Input.UnitIndex = static_cast<std::uint16_t>(u);
      record->Input.UnitScalerIndex = tables_.NoMultiplierIndex;
      record->Input.UnitSelected = 1;
      char label[kLabelSize];
      ComposeUnitLabel(*record, true, tables_, label);
      const auto [at, added] = unitOfLabel.emplace(label, record->UnitNames[u]);
      EXPECT_TRUE(added) << tables_.DimensionLabels[d] << ": \"" << record->UnitNames[u]
                         << "\" and \"" << at->second << "\" both show as \"" << label << "\"";
    }
  }
}

TEST_F(CatalogTest, SquareAndCubicUnitsCarryTheMarkAndScaleWithThePrefix) {
  struct Case {
    const char* dimension;
    const char* unit;
    const char* prefix;
    const char* label;
    double scalerMult;
  } cases[] = {
      {"Area", "Square ^survey-feet; US", "milli", "Square millisurvey-feet", 1e-6},
      {"Area", "hectare", "kilo", "kilohectare", 1000.0},
      {"Volume", "Cubic ^inches", "kilo", "Cubic kiloinches", 1e9},
      {"Data Storage", "byte", "kibi", "kibibyte", 1024.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.dimension) + " / " + c.unit + " / " + c.prefix);
    const int d = DimensionIndexOf(c.dimension);
    ASSERT_GE(d, 0);
    auto record = RecordOf(d);
    int u = 0;
    while (u < record->NumberOfUnits && std::strcmp(record->UnitNames[u], c.unit) != 0) ++u;
    ASSERT_LT(u, record->NumberOfUnits);
    const int s = ScalerIndexOf(c.prefix);
    ASSERT_GE(s, 0);
    record->Input.UnitIndex = static_cast<std::uint16_t>(u);
    record->Input.UnitScalerIndex = static_cast<std::uint16_t>(s);
    record->Input.UnitSelected = 1;
    char label[kLabelSize];
    ComposeUnitLabel(*record, true, tables_, label);
    EXPECT_STREQ(label, c.label);
    EXPECT_DOUBLE_EQ(EffectiveScalerMult(*record, true, tables_), c.scalerMult);
  }
  // Every square or cubic unit of the two Dimensions takes its prefix inside the name.
  for (const char* dimension : {"Area", "Volume"}) {
    const int d = DimensionIndexOf(dimension);
    ASSERT_GE(d, 0) << dimension;
    const auto record = RecordOf(d);
    for (int u = 0; u < record->NumberOfUnits; ++u) {
      const std::string unit = record->UnitNames[u];
      if (unit.rfind("Square ", 0) == 0 || unit.rfind("Cubic ", 0) == 0) {
        EXPECT_NE(unit.find('^'), std::string::npos) << dimension << " / " << unit;
      }
    }
  }
}

TEST_F(CatalogTest, MultipliersAreTheSiAndBinaryPrefixesFromLargeToSmall) {
  const std::map<std::string, double> expected = {
      {"quetta", 1e30}, {"ronna", 1e27}, {"yotta", 1e24}, {"zetta", 1e21}, {"exa", 1e18},
      {"peta", 1e15}, {"tera", 1e12}, {"giga", 1e9}, {"mega", 1e6}, {"kilo", 1e3},
      {"hecto", 1e2}, {"deka", 1e1}, {"No_Multiplier", 1.0}, {"deci", 1e-1}, {"centi", 1e-2},
      {"milli", 1e-3}, {"micro", 1e-6}, {"nano", 1e-9}, {"pico", 1e-12}, {"femto", 1e-15},
      {"atto", 1e-18}, {"zepto", 1e-21}, {"yocto", 1e-24}, {"ronto", 1e-27}, {"quecto", 1e-30},
      {"kibi", 0x1p10}, {"mebi", 0x1p20}, {"gibi", 0x1p30}, {"tebi", 0x1p40}, {"pebi", 0x1p50},
      {"exbi", 0x1p60}, {"zebi", 0x1p70}, {"yobi", 0x1p80},
  };
  EXPECT_EQ(static_cast<std::size_t>(tables_.NumberOfScalers), expected.size());
  for (const auto& [name, mult] : expected) {
    const int s = ScalerIndexOf(name);
    ASSERT_GE(s, 0) << name << " missing";
    EXPECT_EQ(tables_.Scalers[s].Mult, mult) << name;
  }
  // From large to small, so the entry for no prefix lies where the list crosses 1.
  for (int s = 1; s < tables_.NumberOfScalers; ++s) {
    EXPECT_GT(tables_.Scalers[s - 1].Mult, tables_.Scalers[s].Mult) << tables_.Scalers[s].Name;
  }
  EXPECT_STREQ(tables_.Scalers[tables_.NoMultiplierIndex].Name, "No_Multiplier");
  EXPECT_EQ(tables_.Scalers[tables_.NoMultiplierIndex].Mult, 1.0);
}

}  // namespace
}  // namespace quantora
