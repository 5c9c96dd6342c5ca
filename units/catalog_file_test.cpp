#include "units/catalog_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "units/recording_reporter.h"
#include "units/text_file_test_util.h"

namespace quantora {
namespace {

// An opener that serves the text, whatever the path, and notes the paths it is asked for.
DataFileOpener Serving(const std::string& text, std::vector<std::string>* asked = nullptr) {
  return [text, asked](const char* path) {
    if (asked) asked->push_back(path);
    std::FILE* file = std::tmpfile();
    if (file == nullptr) return file;
    std::fputs(text.c_str(), file);
    std::rewind(file);
    return file;
  };
}

// Each unit of a Dimension as "name=factor,offset", read on both sides alike.
std::string UnitsOf(std::uint16_t dimension, const UnitTables& tables, const DataFileOpener& open) {
  RecordingReporter reporter;
  QuantityRecord r;
  r.DimensionIndex = dimension;
  EXPECT_TRUE(LoadUnitNames(reporter, tables, r, "QUANTORA.TXT", open));
  std::string units;
  for (int u = 0; u < r.NumberOfUnits; ++u) {
    r.Input = r.Output = {static_cast<std::uint16_t>(u), -1.0, -1.0};
    EXPECT_TRUE(LoadUnitFactors(reporter, tables, r, 0, "QUANTORA.TXT", open));
    EXPECT_TRUE(LoadUnitFactors(reporter, tables, r, 1, "QUANTORA.TXT", open));
    EXPECT_EQ(r.Input.UnitMult + r.Input.UnitOffset, r.Output.UnitMult + r.Output.UnitOffset);
    char factors[64];
    std::snprintf(factors, sizeof factors, "=%.15g,%.15g ", r.Input.UnitMult, r.Input.UnitOffset);
    units += r.UnitNames[u] + std::string(factors);
  }
  EXPECT_TRUE(reporter.messages.empty());
  return units;
}

// The readers open the file only through the opener they are given, for the path given.
TEST(CatalogFile, ReadsTheTestCatalogueAndPassesOverWhatIsNoUnit) {
  std::vector<std::string> asked;
  const DataFileOpener open = Serving(testing::TestCatalogue(), &asked);
  RecordingReporter reporter;
  UnitTables tables;
  LoadDimensionLabels(reporter, tables, "dir/QUANTORA.TXT", open);
  ASSERT_EQ(tables.NumberOfDimensions, 6);  // neither "[AB]" nor "[MULTIPLIERS]"
  EXPECT_STREQ(tables.DimensionLabels[5], "Energy");
  ASSERT_EQ(LoadScalers(reporter, tables, "dir/QUANTORA.TXT", open), 5);
  EXPECT_STREQ(tables.Scalers[1].Name, "kilo");
  EXPECT_EQ(tables.Scalers[0].Mult, 1e30);
  EXPECT_EQ(tables.NoMultiplierIndex, 2);
  EXPECT_EQ(asked, std::vector<std::string>(2, "dir/QUANTORA.TXT"));
  EXPECT_EQ(UnitsOf(0, tables, open), "meter=1,0 foot=0.3048,0 ");
  EXPECT_EQ(UnitsOf(3, tables, open), "Kelvin=1,0 Celsius =1,273.15 ");
  EXPECT_EQ(UnitsOf(5, tables, open), "joule=1,0 electronvolt=1.602176634e-19,0 ");
  EXPECT_TRUE(reporter.messages.empty());
}

TEST(CatalogFile, LongLinesLabelsAndSurplusBeyondEveryCapacity) {
  std::string text = "[AB]\n[Day]\nx=5\nbare\n" + std::string(99, 'a') + "xyz=2 \n[";
  text += std::string(60, 'L') + "]\n";
  for (int u = 0; u < 200; ++u) text += "unit" + std::to_string(u) + "=" + std::to_string(u) + "\n";
  for (int d = 2; d < 60; ++d) text += "[Dimension " + std::to_string(d) + "]\n";
  text +=
      "[MULTIPLIERS]\nNo_Multiplier = 1\nki=1\n" + std::string(41, 'n') + "=5\nno factor\nzero=\n";
  for (int m = 0; m < 70; ++m) text += "prefix" + std::to_string(m) + "=1\n";
  RecordingReporter reporter;
  UnitTables tables;
  LoadDimensionLabels(reporter, tables, "QUANTORA.TXT", Serving(text));
  ASSERT_EQ(tables.NumberOfDimensions, kMaxDimensions);
  EXPECT_STREQ(tables.DimensionLabels[0], "Day");
  // A line of more than 99 characters arrives in pieces: here the second is a unit line.
  EXPECT_EQ(UnitsOf(0, tables, Serving(text)), "x=5,0 xyz=2,0 ");
  // A label is kept to 40 characters and still finds its section; a list holds 180 units.
  const std::string units = UnitsOf(1, tables, Serving(text));
  EXPECT_NE(units.find(" unit179=179,0 "), std::string::npos);
  EXPECT_EQ(units.find("unit180"), std::string::npos);
  // A unit whose line has lost its '=' has no factor, like "zero=".
  QuantityRecord r;
  std::strcpy(r.UnitNames[0], "bare");
  r.NumberOfUnits = 1;
  r.Input = {0, 7.0, 7.0};
  ASSERT_TRUE(LoadUnitFactors(reporter, tables, r, 0, "QUANTORA.TXT", Serving(text)));
  EXPECT_EQ(r.Input.UnitMult + r.Input.UnitOffset, 0.0);
  // Multiplier names have 3 to 40 characters before an '='; only "No_Multiplier" is no prefix.
  ASSERT_EQ(LoadScalers(reporter, tables, "QUANTORA.TXT", Serving(text)), kMaxScalers);
  EXPECT_STREQ(tables.Scalers[0].Name, "No_Multiplier ");
  EXPECT_EQ(tables.NoMultiplierIndex, 0);
  EXPECT_STREQ(tables.Scalers[1].Name, "zero");
  EXPECT_EQ(tables.Scalers[1].Mult, 0.0);
  EXPECT_STREQ(tables.Scalers[49].Name, "prefix47");
  EXPECT_TRUE(reporter.messages.empty());
}

// The file changes under the running program: each failure is reported, naming the file by
// the last part of its path, and the record keeps its list and factors.
TEST(CatalogFile, MessagesNameTheFileAndTheRecordKeepsItsList) {
  const std::string corrupted =
      " QUANTORA.TXT file.\rThis file appears to have been corrupted.\r\r"
      "Please reinstall Quantora.";
  const char* path = "dir/QUANTORA.TXT";
  const DataFileOpener before =
      Serving("[Length]\nmeter=1\nfoot=3\n[MULTIPLIERS]\n; remark\nki=1\n");
  const DataFileOpener after = Serving("[Mass]\nkilogram=1\n");
  RecordingReporter reporter;
  UnitTables tables;
  LoadDimensionLabels(reporter, tables, path, before);
  QuantityRecord r;
  ASSERT_TRUE(LoadUnitNames(reporter, tables, r, path, before));
  r.Input = {1, 7.0};
  EXPECT_EQ(LoadScalers(reporter, tables, path, before), 0);
  EXPECT_EQ(LoadScalers(reporter, tables, path, after), 0);
  EXPECT_FALSE(LoadUnitFactors(reporter, tables, r, 0, path, after));
  for (std::uint16_t index : {60, 101}) {
    r.DimensionIndex = index;
    EXPECT_FALSE(LoadUnitNames(reporter, tables, r, path, after));
  }
  EXPECT_EQ(std::make_tuple(r.DimensionIndex, r.NumberOfUnits, r.Input.UnitMult),
            std::make_tuple(kNoDimension, 2, 7.0));
  LoadDimensionLabels(reporter, tables, path, [](const char*) { return nullptr; });
  const std::string texts[] = {
      "Could not find any multipliers in the MULTIPLIERS group in the" + corrupted,
      "Could not find the MULTIPLIERS label in the" + corrupted,
      "ERROR: Could not find Dimension Label 'Length' in File:'QUANTORA.TXT'!",
      "ERROR: Could not find Dimension Label '60' in File:'QUANTORA.TXT'!",
      "ERROR: Could not find Dimension Label '9999' in File:'QUANTORA.TXT'!",
      "Cannot read the Quantora data file, \"QUANTORA.TXT\"!\rThis file must be present for "
      "Quantora to run.\r\rPlease run the setup program again."};
  ASSERT_EQ(reporter.messages.size(), 6u);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(reporter.messages[i].text, texts[i]);
    EXPECT_EQ(reporter.messages[i].title, i < 2 || i == 5 ? "Quantora Error" : "Quantora");
    EXPECT_EQ(reporter.messages[i].style, kStyleStop);
  }
  EXPECT_EQ(reporter.beeps, std::vector<unsigned>(6, kBeepDefault));
}

}  // namespace
}  // namespace quantora
