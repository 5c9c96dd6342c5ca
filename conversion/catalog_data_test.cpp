// The catalogue that ships with the program, data/QUANTORA.TXT, read with the program's own
// readers: it must fit their capacities, every Dimension must be found at its own head and
// every unit at its own line, and the factors must be usable numbers.
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

// One unit line as the file states it, parsed with strtod.
struct RawUnit {
  std::string name;
  double factor = 0.0;
  double offset = 0.0;
  std::size_t line = 0;  // index into RawFile::lines
};

// The body of the section whose head is exactly "[label]": its lines up to the next head or a
// line that starts with a blank.
struct RawSection {
  std::size_t head = 0;
  std::vector<std::size_t> body;
  std::vector<RawUnit> units;
};

RawSection SectionOf(const RawFile& raw, const std::string& label) {
  RawSection section;
  const std::string head = "[" + label + "]";
  std::size_t i = 0;
  while (i < raw.lines.size() && raw.lines[i] != head) ++i;
  section.head = i;
  for (++i; i < raw.lines.size(); ++i) {
    const std::string& line = raw.lines[i];
    if (!line.empty() && (line[0] == '[' || line[0] == ' ')) break;
    section.body.push_back(i);
    const std::size_t equals = line.find('=');
    if (line.empty() || equals == std::string::npos || !std::isalpha(static_cast<unsigned char>(line[0]))) {
      continue;
    }
    RawUnit unit;
    unit.name = line.substr(0, equals);
    unit.line = i;
    const char* cursor = line.c_str() + equals + 1;
    char* end = nullptr;
    unit.factor = std::strtod(cursor, &end);
    while (*end == ',' || *end == ' ') ++end;
    if (*end != '\0') unit.offset = std::strtod(end, nullptr);
    section.units.push_back(unit);
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

TEST_F(CatalogTest, UnitNamesAreReadFromTheirOwnSectionWhole) {
  int total = 0;
  for (int d = 0; d < tables_.NumberOfDimensions; ++d) {
    const std::string label = tables_.DimensionLabels[d];
    SCOPED_TRACE("Dimension " + label);
    const auto record = RecordOf(d);
    EXPECT_TRUE(reporter_.messages.empty());
    const RawSection section = SectionOf(raw_, label);
    EXPECT_GE(record->NumberOfUnits, 1);
    EXPECT_LE(record->NumberOfUnits, kMaxUnits);
    // The reader's list is the section's unit lines, in order and uncut.
    ASSERT_EQ(static_cast<std::size_t>(record->NumberOfUnits), section.units.size());
    std::set<std::string> seen;
    for (std::size_t u = 0; u < section.units.size(); ++u) {
      const std::string& name = section.units[u].name;
      EXPECT_LE(name.size(), static_cast<std::size_t>(kMaxNameLength)) << name;
      EXPECT_EQ(name, record->UnitNames[u]);
      EXPECT_TRUE(seen.insert(name).second) << "unit twice: " << name;
      EXPECT_FALSE(name.back() == ' ' || name.find("  ") != std::string::npos)
          << "stray blanks in \"" << name << "\"";
      const std::size_t caret = name.find('^');
      if (caret != std::string::npos) {
        // One mark, inside the name, in front of the word the prefix joins.
        EXPECT_EQ(name.find('^', caret + 1), std::string::npos) << name;
        EXPECT_GT(caret, 0u) << name;
        EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(name[caret + 1]))) << name;
      }
    }
    total += record->NumberOfUnits;
  }
  EXPECT_GE(total, 800);
}

// The main window shows a unit by its label, which keeps only the word after the caret: no
// two units of one quantity may come out alike there.
TEST_F(CatalogTest, NoTwoUnitsOfAQuantityShowTheSameLabel) {
  for (int d = 0; d < tables_.NumberOfDimensions; ++d) {
    auto record = RecordOf(d);
    std::map<std::string, std::string> unitOfLabel;
    for (int u = 0; u < record->NumberOfUnits; ++u) {
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

TEST_F(CatalogTest, EachUnitsFactorSearchLandsOnItsOwnLine) {
  for (int d = 0; d < tables_.NumberOfDimensions; ++d) {
    const std::string label = tables_.DimensionLabels[d];
    const auto record = RecordOf(d);
    const RawSection section = SectionOf(raw_, label);
    ASSERT_EQ(static_cast<std::size_t>(record->NumberOfUnits), section.units.size()) << label;
    for (int u = 0; u < record->NumberOfUnits; ++u) {
      const RawUnit& unit = section.units[static_cast<std::size_t>(u)];
      SCOPED_TRACE(label + " / " + unit.name);
      // The search takes the first line of the section that begins with the name: no
      // earlier line may begin with it, or the unit would get that line's factor.
      for (std::size_t i : section.body) {
        if (raw_.lines[i].compare(0, unit.name.size(), unit.name) == 0) {
          EXPECT_EQ(i, unit.line) << "line " << i + 1 << " is found first: " << raw_.lines[i];
          break;
        }
      }
      // And the program's reader gets the factor and offset of that line.
      record->Input.UnitIndex = static_cast<std::uint16_t>(u);
      record->Input.UnitMult = -1.0;
      LoadUnitFactors(reporter_, tables_, *record, 0, kCatalogPath.c_str());
      EXPECT_EQ(record->Input.UnitMult, unit.factor);
      EXPECT_EQ(record->Input.UnitOffset, unit.offset);
      EXPECT_TRUE(std::isfinite(unit.factor) && unit.factor > 0.0) << unit.factor;
      EXPECT_TRUE(std::isfinite(unit.offset));
    }
    EXPECT_TRUE(reporter_.messages.empty());
  }
}

TEST_F(CatalogTest, TheFirstUnitIsTheCoherentUnitAndOnlyTemperatureScalesHaveOffsets) {
  for (int d = 0; d < tables_.NumberOfDimensions; ++d) {
    const std::string label = tables_.DimensionLabels[d];
    const RawSection section = SectionOf(raw_, label);
    ASSERT_FALSE(section.units.empty()) << label;
    EXPECT_EQ(section.units[0].factor, 1.0) << label << " starts with " << section.units[0].name;
    EXPECT_EQ(section.units[0].offset, 0.0) << label;
    for (const RawUnit& unit : section.units) {
      if (label != "Temperature Scale") {
        EXPECT_EQ(unit.offset, 0.0) << label << " / " << unit.name;
      }
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
      {"Area", "Square ^meters", "kilo", "Square kilometers", 1e6},
      {"Area", "Square ^feet", "No_Multiplier", "Square feet", 1.0},
      {"Area", "Square ^survey-feet; US", "milli", "Square millisurvey-feet", 1e-6},
      {"Area", "hectare", "kilo", "kilohectare", 1000.0},
      {"Volume", "Cubic ^meters", "centi", "Cubic centimeters", 1e-6},
      {"Volume", "Cubic ^inches", "kilo", "Cubic kiloinches", 1e9},
      {"Volume", "liter", "milli", "milliliter", 0.001},
      {"Length", "foot; US survey", "kilo", "kilofoot; US survey", 1000.0},
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
    for (const RawUnit& unit : section.units) {
      if (unit.name.rfind("Square ", 0) == 0 || unit.name.rfind("Cubic ", 0) == 0) {
        EXPECT_NE(unit.name.find('^'), std::string::npos) << dimension << " / " << unit.name;
      }
    }
  }
}

TEST_F(CatalogTest, MultipliersAreTheSiAndBinaryPrefixesFromLargeToSmall) {
  EXPECT_GE(tables_.NumberOfScalers, 1);
  EXPECT_LE(tables_.NumberOfScalers, kMaxScalers);
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
  // The entry for no prefix, exactly once and with factor 1, where the list crosses 1.
  int noMultiplier = 0;
  for (int s = 0; s < tables_.NumberOfScalers; ++s) {
    if (std::strcmp(tables_.Scalers[s].Name, "No_Multiplier") == 0) ++noMultiplier;
    if (s > 0) {
      EXPECT_GT(tables_.Scalers[s - 1].Mult, tables_.Scalers[s].Mult)
          << tables_.Scalers[s - 1].Name << " before " << tables_.Scalers[s].Name;
    }
  }
  EXPECT_EQ(noMultiplier, 1);
  EXPECT_STREQ(tables_.Scalers[tables_.NoMultiplierIndex].Name, "No_Multiplier");
  EXPECT_EQ(tables_.Scalers[tables_.NoMultiplierIndex].Mult, 1.0);
}

// Conversions a user checks against a handbook: the units' factors as the readers deliver
// them, converted by the program's own computation.
TEST_F(CatalogTest, HandbookConversionsComeOutRight) {
  struct Case {
    const char* dimension;
    const char* from;
    const char* to;
    double value;
    double expected;
  } cases[] = {
      {"Length", "mile", "meter", 1.0, 1609.344},
      {"Length", "foot; US survey", "foot", 3937.0, 3937.0 * 1200.0 / 3937.0 / 0.3048},
      {"Length", "mile; nautical (international)", "foot", 1.0, 1852.0 / 0.3048},
      {"Area", "acre; international", "Square ^feet", 1.0, 43560.0},
      {"Area", "hectare", "acre; international", 1.0, 2.4710538146716534},
      {"Volume", "gallon; US", "liter", 1.0, 3.785411784},
      {"Volume", "gallon; imperial", "liter", 1.0, 4.54609},
      {"Volume", "Cubic ^feet", "gallon; US", 1.0, 7.480519480519481},
      {"Mass", "pound; avoirdupois", "kilogram", 1.0, 0.45359237},
      {"Mass", "ounce; troy", "grain", 1.0, 480.0},
      {"Temperature Scale", "Fahrenheit", "Celsius", 212.0, 100.0},
      {"Temperature Scale", "Celsius", "Fahrenheit", -40.0, -40.0},
      {"Temperature Scale", "Kelvin", "Rankine", 100.0, 180.0},
      {"Temperature Scale", "Celsius", "Reaumur", 100.0, 80.0},
      {"Temperature Change", "degree Celsius", "degree Fahrenheit", 10.0, 18.0},
      {"Speed", "knot", "kilometer per hour", 1.0, 1.852},
      {"Pressure", "atmosphere; standard", "torr", 1.0, 760.0},
      {"Pressure", "pound-force per square inch; psi", "pascal", 1.0, 6894.757293168361},
      {"Energy", "calorie; thermochemical", "joule", 1.0, 4.184},
      {"Energy", "kilowatt-hour", "joule", 1.0, 3.6e6},
      {"Energy", "British thermal unit; IT", "calorie; IT", 1.0, 251.99576111111112},
      {"Power", "horsepower; mechanical", "watt", 1.0, 745.69987158227022},
      {"Angle", "turn; revolution", "degree", 1.0, 360.0},
      {"Fuel Economy", "mile per gallon; US", "kilometer per liter", 1.0, 0.42514370743027216},
      {"Data Storage", "byte", "bit", 1.0, 8.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.dimension) + ": " + c.from + " -> " + c.to);
    const int d = DimensionIndexOf(c.dimension);
    ASSERT_GE(d, 0);
    auto state = std::make_unique<ConversionState>();
    QuantityRecord& record = state->QuantityRecords[0];
    record = *RecordOf(d);
    for (bool input : {true, false}) {
      const char* name = input ? c.from : c.to;
      int u = 0;
      while (u < record.NumberOfUnits && std::strcmp(record.UnitNames[u], name) != 0) ++u;
      ASSERT_LT(u, record.NumberOfUnits) << name;
      Side(record, input).UnitIndex = static_cast<std::uint16_t>(u);
      Side(record, input).UnitSelected = 1;
      ASSERT_TRUE(LoadUnitFactors(reporter_, tables_, record, input ? 0 : 1, kCatalogPath.c_str()));
    }
    EXPECT_NEAR(ConvertValue(*state, c.value, false), c.expected,
                1e-13 * std::fabs(c.expected) + 1e-12);
  }
}

}  // namespace
}  // namespace quantora
