#include "units/catalog_file.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "testing/recording_reporter_test_util.h"
#include "testing/text_file_test_util.h"

namespace quantora {
namespace {

// An opener that serves the text, whatever the path, from a file of the test's own.
DataFileOpener Serving(const std::string& text) {
  return [path = testing::TestFile(text)](const char*) { return std::fopen(path.c_str(), "rb"); };
}

// Each unit of a Dimension as "name=factor,offset".
std::string UnitsOf(std::uint16_t dimension, const UnitTables& tables, const DataFileOpener& open) {
  RecordingReporter reporter;
  QuantityRecord r;
  r.DimensionIndex = dimension;
  EXPECT_TRUE(LoadUnitNames(reporter, tables, r, "QUANTORA.TXT", open));
  std::string units;
  for (int u = 0; u < r.NumberOfUnits; ++u) {
    r.Input = {static_cast<std::uint16_t>(u), -1.0, -1.0};
    EXPECT_TRUE(LoadUnitFactors(reporter, tables, r, 0, "QUANTORA.TXT", open));
    char factors[64];
    std::snprintf(factors, sizeof factors, "=%.15g,%.15g ", r.Input.UnitMult, r.Input.UnitOffset);
    units += r.UnitNames[u] + std::string(factors);
  }
  return units;
}

TEST(CatalogFile, LongLinesLabelsAndSurplusBeyondEveryCapacity) {
  std::string text = "[AB]\n[Day]\nz=5\n" + std::string(99, 'a') + "xyz=2 \n[";
  text += std::string(60, 'L') + "]\n";
  for (int u = 0; u < 200; ++u) text += "unit" + std::to_string(u) + "=" + std::to_string(u) + "\n";
  for (int d = 2; d < 60; ++d) text += "[Dimension " + std::to_string(d) + "]\n";
  text +=
      "[MULTIPLIERS]\nNo_Multiplier = 1\nki=1\n" + std::string(41, 'n') + "=5\nno factor\n";
  text += std::string(40, 'z') + "=\n";
  for (int m = 0; m < 70; ++m) text += "prefix" + std::to_string(m) + "=1\n";
  RecordingReporter reporter;
  UnitTables tables;
  LoadDimensionLabels(reporter, tables, "QUANTORA.TXT", Serving(text));
  ASSERT_EQ(tables.NumberOfDimensions, kMaxDimensions);
  // A line of more than 99 characters arrives in pieces: here the second is a unit line.
  EXPECT_EQ(UnitsOf(0, tables, Serving(text)), "z=5,0 xyz=2,0 ");
  // A label is kept to 40 characters and still finds its section; a list holds 180 units.
  const std::string units = UnitsOf(1, tables, Serving(text));
  EXPECT_NE(units.find(" unit179=179,0 "), std::string::npos);
  EXPECT_EQ(units.find("unit180"), std::string::npos);
  // Multiplier names have 3 to 40 characters before an '='; only "No_Multiplier" is no prefix.
  ASSERT_EQ(LoadScalers(reporter, tables, "QUANTORA.TXT", Serving(text)), kMaxScalers);
  EXPECT_STREQ(tables.Scalers[0].Name, "No_Multiplier ");
  EXPECT_EQ(tables.Scalers[1].Name, std::string(40, 'z'));
  EXPECT_EQ(tables.Scalers[1].Mult, 0.0);
  EXPECT_STREQ(tables.Scalers[49].Name, "prefix47");
  EXPECT_TRUE(reporter.messages.empty());
}

// The test catalogue, read through the opener for a path, and then changed under the running
// program: each failure is reported, naming the file by the last part of its path, and the
// record keeps its list and factors.
TEST(CatalogFile, ReadsTheTestCatalogueAndReportsEachFailureByTheFileName) {
  const char* path = "dir/QUANTORA.TXT";
  const DataFileOpener open = Serving(testing::TestCatalogue());
  RecordingReporter reporter;
  UnitTables tables;
  LoadDimensionLabels(reporter, tables, path, open);
  ASSERT_EQ(tables.NumberOfDimensions, 6);  // neither "[AB]" nor "[MULTIPLIERS]"
  EXPECT_STREQ(tables.DimensionLabels[5], "Energy");
  // The multipliers' names and factors are checked through the unit dialog's labels.
  ASSERT_EQ(LoadScalers(reporter, tables, path, open), 5);
  EXPECT_EQ(tables.NoMultiplierIndex, 2);
  EXPECT_EQ(UnitsOf(0, tables, open), "meter=1,0 foot=0.3048,0 ");
  EXPECT_EQ(UnitsOf(5, tables, open), "joule=1,0 electronvolt=1.602176634e-19,0 ");
  ASSERT_TRUE(reporter.messages.empty());

  const DataFileOpener after = Serving("[Mass]\nkilogram=1\n");
  QuantityRecord r;
  ASSERT_TRUE(LoadUnitNames(reporter, tables, r, path, open));
  r.Input = {1, 7.0};
  EXPECT_EQ(LoadScalers(reporter, tables, path, Serving("[MULTIPLIERS]\n; remark\nki=1\n")), 0);
  EXPECT_EQ(LoadScalers(reporter, tables, path, after), 0);
  EXPECT_FALSE(LoadUnitFactors(reporter, tables, r, 0, path, after));
  EXPECT_EQ(r.Input.UnitMult, 7.0);
  // A line that has lost its '=' is no unit: the pick fails and the factor stays. The unit's
  // line is its own, not the first that begins with its name.
  EXPECT_FALSE(LoadUnitFactors(reporter, tables, r, 0, path, Serving("[Length]\nfoot\n")));
  EXPECT_EQ(r.Input.UnitMult, 7.0);
  EXPECT_TRUE(LoadUnitFactors(reporter, tables, r, 0, path,
                              Serving("[Length]\nfoot; US survey=0.3048006\nfoot=0.3048\n")));
  EXPECT_EQ(r.Input.UnitMult, 0.3048);
  for (std::uint16_t index : {60, 101}) {
    r.DimensionIndex = index;
    EXPECT_FALSE(LoadUnitNames(reporter, tables, r, path, after));
  }
  EXPECT_EQ(std::make_pair(r.DimensionIndex, r.NumberOfUnits), std::make_pair(kNoDimension, 2));
  LoadDimensionLabels(reporter, tables, path, [](const char*) { return nullptr; });
  const std::string corrupted =
      " QUANTORA.TXT file.\rThis file appears to have been corrupted.\r\r"
      "Please reinstall Quantora.";
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
  }
}

#ifndef _WIN32

// The catalogue that ships with the program, data/QUANTORA.TXT, read with the program's own
// readers: no two units of a quantity show the same label, and every factor and multiplier
// agrees with an independent reference, GNU units (the Debian package "units") or, for the
// units that rest on measured constants, the CODATA 2022 rows kept in units/testdata;
// units/testdata/gnu-units-map.tsv names the reference of each. It runs the "units" program,
// so it is built for the native tests only.
// A reference is the unit's base value at a test value v, factor x (v + offset): a GNU units
// expression ('@' standing for v in an offset scale, asked at 0 and 100), "codata:QUANTITY",
// or "!reason" for a unit that cannot be checked.
TEST(CatalogAccuracy, EveryFactorAgreesWithItsReferenceToOnePartIn10To12) {
  const std::string dir = QUANTORA_SOURCE_DIR, catalogue = dir + "/data/QUANTORA.TXT";
  RecordingReporter reporter;
  UnitTables tables;
  LoadDimensionLabels(reporter, tables, catalogue.c_str());
  tables.NumberOfScalers = LoadScalers(reporter, tables, catalogue.c_str());
  std::map<std::string, std::pair<double, double>> units;  // "Dimension/unit": factor, offset
  for (int m = 0; m < tables.NumberOfScalers; ++m) {
    units[std::string("MULTIPLIERS/") + tables.Scalers[m].Name] = {tables.Scalers[m].Mult, 0.0};
  }
  auto r = std::make_unique<QuantityRecord>();
  r->Input = {0, 1, 0, 1, tables.NoMultiplierIndex, 0, 0, 0, 1};
  for (r->DimensionIndex = 0; r->DimensionIndex < tables.NumberOfDimensions; ++r->DimensionIndex) {
    ASSERT_TRUE(LoadUnitNames(reporter, tables, *r, catalogue.c_str()));
    std::set<std::string> labels;  // the main window shows a unit by its label alone
    for (r->Input.UnitIndex = 0; r->Input.UnitIndex < r->NumberOfUnits; ++r->Input.UnitIndex) {
      ASSERT_TRUE(LoadUnitFactors(reporter, tables, *r, 0, catalogue.c_str()));
      const std::string unit = r->UnitNames[r->Input.UnitIndex];
      units[tables.DimensionLabels[r->DimensionIndex] + ("/" + unit)] = {r->Input.UnitMult,
                                                                         r->Input.UnitOffset};
      char label[kLabelSize];
      ComposeUnitLabel(*r, true, tables, label);
      EXPECT_TRUE(labels.insert(label).second) << unit << " shows as another unit: " << label;
    }
  }
  std::map<std::string, double> codata;
  for (const auto& f : testing::ReadTsvRows(dir + "/units/testdata/codata-2022-rows.tsv")) {
    codata[f[0]] = std::atof(f[1].c_str());
  }
  const auto agrees = [](double a, double b) { return std::fabs(a - b) <= 1e-12 * std::fabs(b); };
  std::vector<std::pair<std::string, double>> asked;  // what, the catalogue's value
  std::string questions;
  for (const auto& f : testing::ReadTsvRows(dir + "/units/testdata/gnu-units-map.tsv")) {
    ASSERT_EQ(f.size(), 4u) << f[0];
    const std::string what = f[0] + "/" + f[1] + " (" + f[2] + ")";
    // Each unit of the catalogue is mapped, once.
    ASSERT_TRUE(units.count(f[0] + "/" + f[1])) << what << ": not in the catalogue, or twice";
    const auto [factor, offset] = units[f[0] + "/" + f[1]];
    units.erase(f[0] + "/" + f[1]);
    const bool scale = f[2].find('@') != std::string::npos;
    if (f[2][0] == '!') {
      EXPECT_GT(f[2].size(), 10u) << "no reason given: " << what;
    } else if (f[2].rfind("codata:", 0) == 0) {
      EXPECT_TRUE(codata.count(f[2].substr(7)) && agrees(factor, codata[f[2].substr(7)])) << what;
    } else {
      EXPECT_TRUE(offset == 0.0 || scale) << what << ": an offset but no '@'";
      for (double v = 0; v <= (scale ? 100 : 0); v += 100) {
        std::string have = f[2];
        if (scale) have.replace(have.find('@'), 1, v > 0 ? "100" : "0");
        questions += have + "\n" + f[3] + "\n";
        asked.emplace_back(what + " at " + std::to_string(v), factor * (scale ? v + offset : 1.0));
      }
    }
  }
  EXPECT_TRUE(units.empty()) << units.size() << " units have no reference";
  EXPECT_TRUE(reporter.messages.empty());

  // All questions go to one "units" process, which answers each with one line.
  char path[] = "/tmp/quantora-units-XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_EQ(write(fd, questions.data(), questions.size()), static_cast<ssize_t>(questions.size()));
  close(fd);
  std::FILE* pipe =
      popen(("LC_ALL=C units -t -o %.17g < " + std::string(path) + " 2>&1").c_str(), "r");
  std::vector<std::string> answers;
  for (char line[256]; pipe && std::fgets(line, sizeof line, pipe);) answers.push_back(line);
  if (pipe) pclose(pipe);
  unlink(path);
  ASSERT_EQ(answers.size(), asked.size()) << "the check needs GNU units (package \"units\")";
  for (std::size_t i = 0; i < asked.size(); ++i) {
    char* end = nullptr;
    EXPECT_TRUE(agrees(asked[i].second, std::strtod(answers[i].c_str(), &end)) && *end == '\n')
        << asked[i].first << ": catalogue " << asked[i].second << ", GNU units " << answers[i];
  }
}

#endif  // _WIN32

}  // namespace
}  // namespace quantora
