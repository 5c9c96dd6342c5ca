#include "units/catalog_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "units/recording_reporter.h"

namespace quantora {
namespace {

// Writes a units data file of the test's own into the temporary directory.
class DataFileTest : public ::testing::Test {
 protected:
  void Write(const std::string& content) {
    std::ofstream(path_, std::ios::binary) << content;
  }
  void TearDown() override { std::filesystem::remove(path_); }
  const char* path() const { return path_str_.c_str(); }

  std::filesystem::path path_ = std::filesystem::temp_directory_path() /
      ("QUANTORA-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".TXT");
  std::string path_str_ = path_.string();
  RecordingReporter reporter_;
  UnitTables tables_;
};

const char kSample[] =
    "; a remark before the first head\n"
    "[Length]\n"
    "meter=1\n"
    "foot=0.3048\n"
    "; a remark inside the section\n"
    "\n"
    "1 digit first is no unit=5\n"
    "inch = 0.0254\n"
    "[Temperature]\n"
    "Kelvin=1\n"
    "Celsius = 1, 273.15\n"
    "Fahrenheit=0.55555555555555556,459.67\n"
    "[Area]\n"
    "Square ^meters=1\n"
    "acre=4046.8564224\n"
    " a blank ends the section=1\n"
    "after the blank=2\n"
    "[AB]\n"
    "[Empty]\n"
    "[MULTIPLIERS]\n"
    "kilo=1000\n"
    "No_Multiplier=1\n"
    "milli=0.001\n";

TEST_F(DataFileTest, ReadsLabelsScalersNamesAndFactorsOfAWellFormedFile) {
  Write(kSample);
  LoadDimensionLabels(reporter_, tables_, path());
  ASSERT_EQ(tables_.NumberOfDimensions, 4);  // "[AB]" is too short to be a Dimension
  EXPECT_STREQ(tables_.DimensionLabels[0], "Length");
  EXPECT_STREQ(tables_.DimensionLabels[1], "Temperature");
  EXPECT_STREQ(tables_.DimensionLabels[2], "Area");
  EXPECT_STREQ(tables_.DimensionLabels[3], "Empty");

  ASSERT_EQ(LoadScalers(reporter_, tables_, path()), 3);
  EXPECT_STREQ(tables_.Scalers[0].Name, "kilo");
  EXPECT_EQ(tables_.Scalers[0].Mult, 1000.0);
  EXPECT_EQ(tables_.Scalers[2].Mult, 0.001);
  EXPECT_EQ(tables_.NoMultiplierIndex, 1);
  EXPECT_TRUE(reporter_.messages.empty());

  struct { std::uint16_t dimension; std::vector<std::string> names; } sections[] = {
      {0, {"meter", "foot", "inch "}},
      {1, {"Kelvin", "Celsius ", "Fahrenheit"}},
      {2, {"Square ^meters", "acre"}},  // the blank line ends the section
      {3, {}},
  };
  for (auto& s : sections) {
    QuantityRecord r;
    r.DimensionIndex = s.dimension;
    LoadUnitNames(reporter_, tables_, r, path());
    ASSERT_EQ(r.NumberOfUnits, static_cast<int>(s.names.size())) << s.dimension;
    for (std::size_t i = 0; i < s.names.size(); ++i) EXPECT_EQ(r.UnitNames[i], s.names[i]);
  }

  struct { std::uint16_t dimension; std::uint16_t unit; double mult; double offset; } factors[] = {
      {0, 0, 1.0, 0.0}, {0, 1, 0.3048, 0.0}, {0, 2, 0.0254, 0.0},
      {1, 1, 1.0, 273.15}, {1, 2, 0.55555555555555556, 459.67}, {2, 1, 4046.8564224, 0.0},
  };
  for (auto& f : factors) {
    QuantityRecord r;
    r.DimensionIndex = f.dimension;
    LoadUnitNames(reporter_, tables_, r, path());
    for (int side : {0, 1}) {
      Side(r, side == 0) = UnitSelection{};
      Side(r, side == 0).UnitIndex = f.unit;
      Side(r, side == 0).UnitOffset = -1.0;  // must be replaced, also by "no offset"
      EXPECT_TRUE(LoadUnitFactors(reporter_, tables_, r, side, path()));
      EXPECT_EQ(Side(r, side == 0).UnitMult, f.mult) << f.dimension << "/" << f.unit;
      EXPECT_EQ(Side(r, side == 0).UnitOffset, f.offset) << f.dimension << "/" << f.unit;
    }
  }
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(DataFileTest, LongLinesArriveInPiecesOf99Characters) {
  // A 150-character unit line: its second piece starts with 'x' and is read as a unit line
  // of its own; the first piece has no '=' and is no unit.
  const std::string first(99, 'a');
  const std::string second = "xyz=2" + std::string(150 - 99 - 5, ' ');
  Write("[Length]\n" + first + second + "\nmeter=1\n[MULTIPLIERS]\nNo_Multiplier=1\n");
  LoadDimensionLabels(reporter_, tables_, path());
  QuantityRecord r;
  r.DimensionIndex = 0;
  LoadUnitNames(reporter_, tables_, r, path());
  ASSERT_EQ(r.NumberOfUnits, 2);
  EXPECT_STREQ(r.UnitNames[0], "xyz");
  EXPECT_STREQ(r.UnitNames[1], "meter");

  // A label longer than 40 characters is kept to 40 and still finds its own section.
  Write("[" + std::string(60, 'L') + "]\nunit=3\n");
  LoadDimensionLabels(reporter_, tables_, path());
  ASSERT_EQ(tables_.NumberOfDimensions, 1);
  EXPECT_EQ(std::string(tables_.DimensionLabels[0]), std::string(40, 'L'));
  LoadUnitNames(reporter_, tables_, r, path());
  EXPECT_EQ(r.NumberOfUnits, 1);
}

TEST_F(DataFileTest, AnEarlierLabelThatBeginsWithTheSearchedOneIsFoundFirst) {
  Write("[Energy Density]\njoule per cubic meter=1\n[Energy]\njoule=1\n");
  LoadDimensionLabels(reporter_, tables_, path());
  QuantityRecord r;
  r.DimensionIndex = 1;  // "Energy"
  LoadUnitNames(reporter_, tables_, r, path());
  ASSERT_EQ(r.NumberOfUnits, 1);
  EXPECT_STREQ(r.UnitNames[0], "joule per cubic meter");
}

TEST_F(DataFileTest, MultiplierLinesFollowTheirOwnRules) {
  Write(
      "[MULTIPLIERS]\n"
      "No_Multiplier = 1\n"                  // name with a blank: not the no-prefix entry
      "ki=1000\n"                            // 2 characters: skipped
      + std::string(41, 'n') + "=5\n"        // 41 characters: skipped
      "written but not counted\n"            // no '=': written, then overwritten
      "mega=1e6\n"
      "zero=\n"                              // a lone newline counts and gives 0
      "giga=1e9\n");
  ASSERT_EQ(LoadScalers(reporter_, tables_, path()), 4);
  EXPECT_STREQ(tables_.Scalers[0].Name, "No_Multiplier ");
  EXPECT_STREQ(tables_.Scalers[1].Name, "mega");
  EXPECT_EQ(tables_.Scalers[1].Mult, 1e6);
  EXPECT_STREQ(tables_.Scalers[2].Name, "zero");
  EXPECT_EQ(tables_.Scalers[2].Mult, 0.0);
  EXPECT_EQ(tables_.NoMultiplierIndex, 0);  // nothing matched exactly
}

TEST_F(DataFileTest, SurplusBeyondEveryCapacityIsIgnored) {
  std::string text;
  for (int d = 0; d < 60; ++d) {
    text += "[Dimension " + std::to_string(d) + "]\n";
    if (d == 0) {
      for (int u = 0; u < 200; ++u) text += "unit" + std::to_string(u) + "=" + std::to_string(u + 1) + "\n";
    }
  }
  text += "[MULTIPLIERS]\n";
  for (int m = 0; m < 70; ++m) text += "prefix" + std::to_string(m) + "=" + std::to_string(m + 1) + "\n";
  Write(text);
  LoadDimensionLabels(reporter_, tables_, path());
  EXPECT_EQ(tables_.NumberOfDimensions, kMaxDimensions);
  EXPECT_STREQ(tables_.DimensionLabels[49], "Dimension 49");
  EXPECT_EQ(LoadScalers(reporter_, tables_, path()), kMaxScalers);
  EXPECT_STREQ(tables_.Scalers[49].Name, "prefix49");
  QuantityRecord r;
  r.DimensionIndex = 0;
  LoadUnitNames(reporter_, tables_, r, path());
  EXPECT_EQ(r.NumberOfUnits, kMaxUnits);
  EXPECT_STREQ(r.UnitNames[179], "unit179");
  r.Input.UnitIndex = 179;
  LoadUnitFactors(reporter_, tables_, r, 0, path());
  EXPECT_EQ(r.Input.UnitMult, 180.0);
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(DataFileTest, FileMessagesNameTheFileAndUseTheirExactTexts) {
  const std::string missing = (std::filesystem::temp_directory_path() / "QUANTORA.TXT-none").string();
  LoadDimensionLabels(reporter_, tables_, missing.c_str());
  EXPECT_EQ(LoadScalers(reporter_, tables_, missing.c_str()), 0);
  ASSERT_EQ(reporter_.messages.size(), 2u);
  EXPECT_EQ(reporter_.messages[0].text,
            "Cannot read the Quantora data file, \"QUANTORA.TXT-none\"!\r"
            "This file must be present for Quantora to run.\r\rPlease run the setup program again.");
  EXPECT_EQ(reporter_.messages[0].title, "Quantora Error");
  EXPECT_EQ(reporter_.messages[0].style, kStyleStop);
  EXPECT_EQ(reporter_.beeps, (std::vector<unsigned>{kBeepDefault, kBeepDefault}));

  Write("[Length]\nmeter=1\n");
  reporter_.messages.clear();
  EXPECT_EQ(LoadScalers(reporter_, tables_, path()), 0);
  Write("[Length]\nmeter=1\n[MULTIPLIERS]\n; only a remark\nki=1\n");
  EXPECT_EQ(LoadScalers(reporter_, tables_, path()), 0);
  ASSERT_EQ(reporter_.messages.size(), 2u);
  const std::string name = path_.filename().string();
  EXPECT_EQ(reporter_.messages[0].text,
            "Could not find the MULTIPLIERS label in the " + name +
                " file.\rThis file appears to have been corrupted.\r\rPlease reinstall Quantora.");
  EXPECT_EQ(reporter_.messages[1].text,
            "Could not find any multipliers in the MULTIPLIERS group in the " + name +
                " file.\rThis file appears to have been corrupted.\r\rPlease reinstall Quantora.");
}

TEST_F(DataFileTest, AMissingSectionKeepsWhatTheRecordHad) {
  Write("[Length]\nmeter=1\nfoot=0.3048\n[Mass]\nkilogram=1\n");
  LoadDimensionLabels(reporter_, tables_, path());
  QuantityRecord r;
  r.DimensionIndex = 0;
  LoadUnitNames(reporter_, tables_, r, path());
  r.Input.UnitIndex = 1;
  r.Input.UnitMult = 7.0;
  // The file changes under the program: "Length" is gone.
  Write("[Mass]\nkilogram=1\n");
  LoadUnitNames(reporter_, tables_, r, path());
  EXPECT_FALSE(LoadUnitFactors(reporter_, tables_, r, 0, path()));
  EXPECT_EQ(r.NumberOfUnits, 2);
  EXPECT_STREQ(r.UnitNames[1], "foot");
  EXPECT_EQ(r.Input.UnitMult, 7.0);
  ASSERT_EQ(reporter_.messages.size(), 2u);
  const std::string expected = "ERROR: Could not find Dimension Label 'Length' in File:'" +
                               path_.filename().string() + "'!";
  EXPECT_EQ(reporter_.messages[0].text, expected);
  EXPECT_EQ(reporter_.messages[0].title, "Quantora");
  EXPECT_EQ(reporter_.messages[1].text, expected);

  // Indexes that name no label never read past the table: 60 is reported by its number,
  // 101 becomes "no quantity" first.
  reporter_.messages.clear();
  for (std::uint16_t index : {std::uint16_t{60}, std::uint16_t{101}}) {
    r.DimensionIndex = index;
    LoadUnitNames(reporter_, tables_, r, path());
  }
  EXPECT_EQ(r.DimensionIndex, kNoDimension);
  ASSERT_EQ(reporter_.messages.size(), 2u);
  EXPECT_NE(reporter_.messages[0].text.find("Label '60'"), std::string::npos);
  EXPECT_NE(reporter_.messages[1].text.find("Label '9999'"), std::string::npos);
  EXPECT_EQ(r.NumberOfUnits, 2);
}

TEST_F(DataFileTest, UnitLinesWithoutAFactorOrOutsideTheListChangeNothingUnsafely) {
  Write("[Length]\nmeter=1\nbare=");
  LoadDimensionLabels(reporter_, tables_, path());
  QuantityRecord r;
  r.DimensionIndex = 0;
  LoadUnitNames(reporter_, tables_, r, path());
  ASSERT_EQ(r.NumberOfUnits, 2);
  r.Output.UnitIndex = 1;
  r.Output.UnitMult = 5.0;
  LoadUnitFactors(reporter_, tables_, r, 1, path());
  EXPECT_EQ(r.Output.UnitMult, 0.0);  // "bare=" at the end of the file has no factor

  // An index past the list (after a quantity whose units could not be read) is left alone.
  r.Output.UnitIndex = 2;
  r.Output.UnitMult = 5.0;
  EXPECT_FALSE(LoadUnitFactors(reporter_, tables_, r, 1, path()));
  EXPECT_EQ(r.Output.UnitMult, 5.0);
  r.Output.UnitIndex = 65535;
  LoadUnitFactors(reporter_, tables_, r, 1, path());
  EXPECT_EQ(r.Output.UnitMult, 5.0);
  EXPECT_TRUE(reporter_.messages.empty());
}

}  // namespace
}  // namespace quantora
