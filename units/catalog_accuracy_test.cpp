// The catalogue's factors against an independent reference: GNU units (the Debian package
// "units"), and for the units that rest on measured constants the CODATA 2022 rows kept in
// units/testdata (the GNU units of this distribution still holds CODATA 2018).
// units/testdata/gnu-units-map.tsv names the reference of every unit of data/QUANTORA.TXT.
// Runs the "units" program, so it is built for the native tests only.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "units/catalog_file.h"
#include "units/quantity.h"
#include "units/recording_reporter.h"
#include "units/text_file_test_util.h"

namespace quantora {
namespace {

const std::string kSourceDir = QUANTORA_SOURCE_DIR;
const std::string kCatalogPath = kSourceDir + "/data/QUANTORA.TXT";
const std::string kMapPath = kSourceDir + "/units/testdata/gnu-units-map.tsv";
const std::string kCodataPath = kSourceDir + "/units/testdata/codata-2022-rows.tsv";
constexpr double kTolerance = 1e-12;  // relative

struct MapRow {
  std::string dimension;
  std::string unit;
  std::string reference;  // GNU units expression, "codata:QUANTITY" or "!reason"
  std::string si;         // the Dimension's coherent unit, as GNU units writes it
};

std::vector<MapRow> ReadMap() {
  std::vector<MapRow> rows;
  for (const auto& f : testing::ReadTsvRows(kMapPath)) {
    if (f.size() == 4) {
      rows.push_back({f[0], f[1], f[2], f[3]});
    } else {
      ADD_FAILURE() << "map line without four fields: " << f[0];
    }
  }
  return rows;
}

std::map<std::string, double> ReadCodata() {
  std::map<std::string, double> values;
  for (const auto& f : testing::ReadTsvRows(kCodataPath)) {
    if (f.size() >= 2 && f[0] != "quantity") values[f[0]] = std::strtod(f[1].c_str(), nullptr);
  }
  return values;
}

// Factor and offset of every unit, as the program's readers deliver them.
struct CatalogUnit {
  double factor = 0.0;
  double offset = 0.0;
};
using Catalog = std::map<std::pair<std::string, std::string>, CatalogUnit>;

Catalog ReadCatalog() {
  Catalog catalog;
  RecordingReporter reporter;
  UnitTables tables;
  LoadDimensionLabels(reporter, tables, kCatalogPath.c_str());
  auto record = std::make_unique<QuantityRecord>();
  for (int d = 0; d < tables.NumberOfDimensions; ++d) {
    *record = QuantityRecord();
    record->DimensionIndex = static_cast<std::uint16_t>(d);
    LoadUnitNames(reporter, tables, *record, kCatalogPath.c_str());
    for (int u = 0; u < record->NumberOfUnits; ++u) {
      record->Input.UnitIndex = static_cast<std::uint16_t>(u);
      LoadUnitFactors(reporter, tables, *record, 0, kCatalogPath.c_str());
      catalog[{tables.DimensionLabels[d], record->UnitNames[u]}] = {record->Input.UnitMult,
                                                                    record->Input.UnitOffset};
    }
  }
  EXPECT_TRUE(reporter.messages.empty());
  return catalog;
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::string RunCommand(const std::string& command) {
  std::string output;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  pclose(pipe);
  return output;
}

bool ParseWhole(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && std::isfinite(value);
}

// One question for GNU units: "have" in terms of "want".
struct Query {
  Query(std::string h, std::string w) : have(std::move(h)), want(std::move(w)) {}
  std::string have;
  std::string want;
  std::string answer;
  bool answered = false;
  double value = 0.0;
};

// All questions go to one "units" process (each process spends most of its time reading its
// definitions). A question it cannot answer prints more or fewer lines than one and throws
// the pairing off; then every question is asked again on its own to tell which.
void AskGnuUnits(std::vector<Query>& queries) {
  char dir[] = "/tmp/quantora-units-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string input = std::string(dir) + "/queries.txt";
  {
    std::ofstream out(input);
    for (const Query& q : queries) out << q.have << '\n' << q.want << '\n';
  }
  const std::string program = "LC_ALL=C units -t -o %.17g";
  const std::string output = RunCommand(program + " < " + input + " 2>&1");
  std::remove(input.c_str());
  rmdir(dir);
  std::vector<std::string> lines;
  std::istringstream stream(output);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  bool paired = lines.size() == queries.size();
  for (std::size_t i = 0; paired && i < queries.size(); ++i) {
    queries[i].answer = lines[i];
    queries[i].answered = ParseWhole(lines[i], queries[i].value);
    paired = queries[i].answered;
  }
  if (paired) return;
  for (Query& q : queries) {
    q.answer = RunCommand(program + " " + ShellQuote(q.have) + " " + ShellQuote(q.want) + " 2>&1");
    while (!q.answer.empty() && q.answer.back() == '\n') q.answer.pop_back();
    q.answered = ParseWhole(q.answer, q.value);
  }
}

bool Close(double actual, double reference) {
  return std::fabs(actual - reference) <= kTolerance * std::fabs(reference);
}

TEST(CatalogAccuracy, GnuUnitsIsThere) {
  std::string answer = RunCommand("LC_ALL=C units -t -o %.17g furlong m 2>&1");
  while (!answer.empty() && answer.back() == '\n') answer.pop_back();
  double value = 0.0;
  ASSERT_TRUE(ParseWhole(answer, value) && Close(value, 201.168))
      << "the accuracy check needs GNU units (Debian package \"units\"); it said: " << answer;
}

TEST(CatalogAccuracy, EveryUnitAgreesWithTheReferenceToOnePartIn10To12) {
  const std::vector<MapRow> rows = ReadMap();
  const std::map<std::string, double> codata = ReadCodata();
  const Catalog catalog = ReadCatalog();
  ASSERT_GE(catalog.size(), 800u);

  // The map and the catalogue name the same units, each once.
  std::set<std::pair<std::string, std::string>> mapped;
  for (const MapRow& row : rows) {
    EXPECT_TRUE(mapped.insert({row.dimension, row.unit}).second)
        << "mapped twice: " << row.dimension << " / " << row.unit;
    EXPECT_TRUE(catalog.count({row.dimension, row.unit}))
        << "not in the catalogue: " << row.dimension << " / " << row.unit;
  }
  for (const auto& [key, unit] : catalog) {
    EXPECT_TRUE(mapped.count(key)) << "no reference for " << key.first << " / " << key.second;
  }

  // Each reference value is the unit's base value at a test value v: factor x (v + offset).
  struct Check {
    const MapRow* row;
    double expected;
    std::size_t query;  // index into queries, or SIZE_MAX for a CODATA row
    double codataValue;
  };
  std::vector<Check> checks;
  std::vector<Query> queries;
  std::vector<std::string> unchecked;
  int byGnu = 0;
  int byCodata = 0;
  for (const MapRow& row : rows) {
    const auto found = catalog.find({row.dimension, row.unit});
    if (found == catalog.end()) continue;
    const CatalogUnit& unit = found->second;
    const std::string& ref = row.reference;
    if (ref.empty()) {
      ADD_FAILURE() << "empty reference for " << row.dimension << " / " << row.unit;
    } else if (ref[0] == '!') {
      EXPECT_GT(ref.size(), 10u) << "no reason given for " << row.unit;
      unchecked.push_back(row.dimension + " / " + row.unit + ": " + ref.substr(1));
    } else if (ref.rfind("codata:", 0) == 0) {
      const auto value = codata.find(ref.substr(7));
      if (value == codata.end()) {
        ADD_FAILURE() << "no CODATA row \"" << ref.substr(7) << "\" for " << row.unit;
        continue;
      }
      EXPECT_EQ(unit.offset, 0.0) << row.unit;
      checks.push_back({&row, unit.factor, SIZE_MAX, value->second});
      ++byCodata;
    } else if (ref.find('@') != std::string::npos) {
      // A scale with an offset is a function in GNU units: compare two points of it.
      for (double v : {0.0, 100.0}) {
        std::string have = ref;
        have.replace(have.find('@'), 1, v == 0.0 ? "0" : "100");
        checks.push_back({&row, unit.factor * (v + unit.offset), queries.size(), 0.0});
        queries.emplace_back(have, row.si);
      }
      ++byGnu;
    } else {
      EXPECT_EQ(unit.offset, 0.0) << row.unit << " has an offset but no '@' in its reference";
      checks.push_back({&row, unit.factor, queries.size(), 0.0});
      queries.emplace_back(ref, row.si);
      ++byGnu;
    }
  }
  AskGnuUnits(queries);
  for (const Check& c : checks) {
    const std::string what = c.row->dimension + " / " + c.row->unit + " (" + c.row->reference + ")";
    if (c.query == SIZE_MAX) {
      EXPECT_PRED2(Close, c.expected, c.codataValue) << what;
      continue;
    }
    const Query& q = queries[c.query];
    if (!q.answered) {
      ADD_FAILURE() << what << ": GNU units answered \"" << q.answer << "\" for " << q.have
                    << " in " << q.want;
      continue;
    }
    EXPECT_PRED2(Close, c.expected, q.value) << what << ": catalogue " << c.expected
                                             << ", GNU units " << q.value;
  }
  // Nearly every unit has a reference; the rest say why they have none.
  EXPECT_LE(unchecked.size(), 30u);
  std::printf("catalogue: %zu units; %d checked against GNU units, %d against CODATA 2022, "
              "%zu without a reference:\n", catalog.size(), byGnu, byCodata, unchecked.size());
  for (const std::string& u : unchecked) std::printf("  %s\n", u.c_str());
}

}  // namespace
}  // namespace quantora

#endif  // _WIN32
