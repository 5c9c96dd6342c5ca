// The catalogue that ships with the program, data/QUANTORA.TXT, read with the program's own
// readers: it must fit their capacities, every Dimension must be found at its own head, and
// every unit must show a label of its own. (The factors are checked against a reference in
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

using RawFile = testing::TextLines;

// The section whose head is exactly "[label]": where its head is, and the names of its unit
// lines up to the next head or a line that starts with a blank.
struct RawSection {
  std::size_t head = 0;
  std::vector<std::string> units;
};

RawSection SectionOf(const RawFile& raw, const std::string& label) {
  RawSection section;
  std::size_t i = 0;
  while (i < raw.lines.size() && raw.lines[i] != "[" + label + "]") ++i;
  section.head = i;
  for (++i; i < raw.lines.size(); ++i) {
    const std::string& line = raw.lines[i];
    if (!line.empty() && (line[0] == '[' || line[0] == ' ')) break;
    if (!line.empty() && std::isalpha(static_cast<unsigned char>(line[0]))) {
      section.units.push_back(line.substr(0, line.find('=')));
    }
  }
  return section;
}

class CatalogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    raw_ = testing::ReadLines(kCatalogPath);
    ASSERT_TRUE(raw_.opened) << "cannot open " << kCatalogPath;
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

  RawFile raw_;
  RecordingReporter reporter_;
  UnitTables tables_;
};

TEST_F(CatalogTest, EveryLineFitsTheReadersBufferAndIsAHeadAUnitOrARemark) {
  EXPECT_TRUE(raw_.endsWithNewline) << "the last line would lose its last character";
  bool inSection = false;
  for (std::size_t i = 0; i < raw_.lines.size(); ++i) {
    const std::string& line = raw_.lines[i];
    SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + line);
    // 98 characters and the newline fill the 100-byte buffer with its NUL: no line is split.
    EXPECT_LE(line.size(), 98u);
    EXPECT_EQ(line.find('\r'), std::string::npos);
    EXPECT_EQ(line.find('\t'), std::string::npos);
    if (line.empty()) continue;
    if (line[0] == '[') {
      inSection = true;
      EXPECT_NE(line.find(']'), std::string::npos);
      continue;
    }
    if (line[0] == ';') continue;
    // A blank at the start would end the section early; anything else must be a unit line.
    EXPECT_TRUE(inSection);
    EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(line[0]))) << "neither unit nor remark";
    EXPECT_NE(line.find('='), std::string::npos);
  }
}

TEST_F(CatalogTest, DimensionsFitTheTableAndEachIsFoundAtItsOwnHead) {
  EXPECT_GE(tables_.NumberOfDimensions, 40);
  EXPECT_LE(tables_.NumberOfDimensions, kMaxDimensions);
  // Heads in the file, counted independently: none was dropped for want of room.
  int heads = 0;
  for (const std::string& line : raw_.lines) {
    if (!line.empty() && line[0] == '[' && line.compare(0, 13, "[MULTIPLIERS]") != 0) ++heads;
  }
  EXPECT_EQ(heads, tables_.NumberOfDimensions);
  // The square and cube rule looks for these two labels exactly.
  EXPECT_GE(DimensionIndexOf("Area"), 0);
  EXPECT_GE(DimensionIndexOf("Volume"), 0);

  std::set<std::string> seen;
  for (int d = 0; d < tables_.NumberOfDimensions; ++d) {
    const std::string label = tables_.DimensionLabels[d];
    SCOPED_TRACE("Dimension " + label);
    EXPECT_TRUE(seen.insert(label).second) << "label twice";
    EXPECT_GE(label.size(), 3u);
    EXPECT_LE(label.size(), static_cast<std::size_t>(kMaxNameLength));
    // The label search takes the first line whose text from its second character begins with
    // the label: that must be the label's own head, not a longer label or a unit line.
    const RawSection section = SectionOf(raw_, label);
    ASSERT_LT(section.head, raw_.lines.size()) << "no head [" << label << "]";
    for (std::size_t i = 0; i < section.head; ++i) {
      const std::string& line = raw_.lines[i];
      EXPECT_FALSE(line.size() > label.size() && line.compare(1, label.size(), label) == 0)
          << "line " << i + 1 << " is taken for the head: " << raw_.lines[i];
    }
    // And no label begins with another one, whatever the order of the sections.
    for (int other = 0; other < tables_.NumberOfDimensions; ++other) {
      if (other == d) continue;
      EXPECT_NE(std::string(tables_.DimensionLabels[other]).compare(0, label.size(), label), 0)
          << "\"" << tables_.DimensionLabels[other] << "\" begins with this label";
    }
  }
}

// The main window shows a unit by its label, which keeps only the word after the caret: no
// two units of one quantity may come out alike there. The caret is one mark inside the name, in
// front of the word the prefix joins.
TEST_F(CatalogTest, NoTwoUnitsOfAQuantityShowTheSameLabel) {
  for (int d = 0; d < tables_.NumberOfDimensions; ++d) {
    auto record = RecordOf(d);
    EXPECT_LT(record->NumberOfUnits, kMaxUnits) << "units may have been dropped";
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
    const RawSection section = SectionOf(raw_, dimension);
    for (const std::string& unit : section.units) {
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
