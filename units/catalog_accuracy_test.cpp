// The catalogue that ships with the program, data/QUANTORA.TXT, read with the program's own
// readers: every factor agrees with an independent reference, GNU units (the Debian package
// "units") or, for the units that rest on measured constants, the CODATA 2022 rows kept in
// units/testdata; units/testdata/gnu-units-map.tsv names the reference of every unit. Runs the
// "units" program, so it is built for the native tests only.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "units/catalog_file.h"
#include "units/recording_reporter.h"
#include "units/text_file_test_util.h"

namespace quantora {
namespace {

const std::string kSourceDir = QUANTORA_SOURCE_DIR;

// A reference is the unit's base value at a test value v, factor x (v + offset): a GNU units
// expression ('@' standing for v in an offset scale, asked at 0 and 100), "codata:QUANTITY",
// or "!reason" for a unit that cannot be checked.
TEST(CatalogAccuracy, EveryFactorAgreesWithItsReferenceToOnePartIn10To12) {
  const std::string catalogue = kSourceDir + "/data/QUANTORA.TXT";
  RecordingReporter reporter;
  UnitTables tables;
  LoadDimensionLabels(reporter, tables, catalogue.c_str());
  std::map<std::pair<std::string, std::string>, std::pair<double, double>> units;
  auto r = std::make_unique<QuantityRecord>();
  for (int d = 0; d < tables.NumberOfDimensions; ++d) {
    r->DimensionIndex = static_cast<std::uint16_t>(d);
    ASSERT_TRUE(LoadUnitNames(reporter, tables, *r, catalogue.c_str()));
    for (r->Input.UnitIndex = 0; r->Input.UnitIndex < r->NumberOfUnits; ++r->Input.UnitIndex) {
      ASSERT_TRUE(LoadUnitFactors(reporter, tables, *r, 0, catalogue.c_str()));
      units[{tables.DimensionLabels[d], r->UnitNames[r->Input.UnitIndex]}] = {r->Input.UnitMult,
                                                                              r->Input.UnitOffset};
    }
  }
  ASSERT_GE(units.size(), 800u);
  std::map<std::string, double> codata;
  for (const auto& f : testing::ReadTsvRows(kSourceDir + "/units/testdata/codata-2022-rows.tsv")) {
    codata[f[0]] = std::atof(f[1].c_str());
  }
  const auto agrees = [](double a, double b) { return std::fabs(a - b) <= 1e-12 * std::fabs(b); };
  std::set<std::pair<std::string, std::string>> mapped;
  std::vector<std::pair<std::string, double>> asked;  // what, the catalogue's value
  std::string questions;
  int unchecked = 0;
  for (const auto& f : testing::ReadTsvRows(kSourceDir + "/units/testdata/gnu-units-map.tsv")) {
    ASSERT_EQ(f.size(), 4u) << f[0];
    const std::string what = f[0] + " / " + f[1] + " (" + f[2] + ")";
    ASSERT_TRUE(units.count({f[0], f[1]}) && mapped.insert({f[0], f[1]}).second) << what;
    const auto [factor, offset] = units[{f[0], f[1]}];
    const bool scale = f[2].find('@') != std::string::npos;
    if (f[2][0] == '!') {
      EXPECT_GT(f[2].size(), 10u) << "no reason given: " << what;
      ++unchecked;
    } else if (f[2].rfind("codata:", 0) == 0) {
      EXPECT_TRUE(codata.count(f[2].substr(7)) && agrees(factor, codata[f[2].substr(7)])) << what;
    } else {
      EXPECT_TRUE(offset == 0.0 || scale) << what << ": an offset but no '@'";
      for (double v : {0.0, 100.0}) {
        if (v > 0 && !scale) break;
        std::string have = f[2];
        if (scale) have.replace(have.find('@'), 1, v > 0 ? "100" : "0");
        questions += have + "\n" + f[3] + "\n";
        asked.emplace_back(what + " at " + std::to_string(v), factor * (scale ? v + offset : 1.0));
      }
    }
  }
  EXPECT_EQ(mapped.size(), units.size()) << "every unit of the catalogue has a reference";
  EXPECT_LE(unchecked, 30);
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
  ASSERT_EQ(answers.size(), asked.size())
      << "the check needs GNU units, which said: " << (answers.empty() ? "" : answers[0]);
  for (std::size_t i = 0; i < asked.size(); ++i) {
    char* end = nullptr;
    EXPECT_TRUE(agrees(asked[i].second, std::strtod(answers[i].c_str(), &end)) && *end == '\n')
        << asked[i].first << ": catalogue " << asked[i].second << ", GNU units " << answers[i];
  }
}

}  // namespace
}  // namespace quantora

#endif  // _WIN32
