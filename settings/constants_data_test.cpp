// The physical constants table that ships with the program, data/QACONST.TXT, against the
// CODATA 2022 rows kept in units/testdata.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "units/text_file_test_util.h"

namespace quantora {
namespace {

using testing::ReadLines;
using testing::ReadTsvRows;
using testing::TextLines;

const std::string kSourceDir = QUANTORA_SOURCE_DIR;

// The columns of one constant: runs of tabs (and the blanks that pad a column) separate them.
std::vector<std::string> Columns(const std::string& line) {
  std::vector<std::string> columns;
  for (std::string field : testing::SplitTabs(line)) {
    while (!field.empty() && field.back() == ' ') field.pop_back();
    if (!field.empty()) columns.push_back(field);
  }
  return columns;
}

class ConstantsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = ReadLines(kSourceDir + "/data/QACONST.TXT");
    ASSERT_TRUE(file_.opened);
    for (const std::string& line : file_.lines) {
      if (line.empty() || line[0] == '/') continue;
      const auto columns = Columns(line);
      if (columns.size() == 3) shown_[columns[0]] = columns[1];
    }
  }
  TextLines file_;
  std::map<std::string, std::string> shown_;  // name -> value text
};

TEST_F(ConstantsFileTest, LinesAreRemarksOrNameValueUnitsAndFitTheReader) {
  // The dialog drops each line's last character: without a final newline the last constant
  // would lose a digit of its units.
  EXPECT_TRUE(file_.endsWithNewline);
  int constants = 0;
  bool namesSource = false;
  for (std::size_t i = 0; i < file_.lines.size(); ++i) {
    const std::string& line = file_.lines[i];
    SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + line);
    // 98 characters and the newline: the reader's 99 never splits a line into two rows.
    EXPECT_LE(line.size(), 98u);
    EXPECT_EQ(line.find('\r'), std::string::npos);
    if (!line.empty() && line[0] == '/') {
      namesSource = namesSource || line.find("CODATA 2022") != std::string::npos;
      continue;
    }
    // No empty rows, and every row is three columns.
    ASSERT_FALSE(line.empty());
    EXPECT_NE(line[0], ' ');
    EXPECT_EQ(Columns(line).size(), 3u);
    ++constants;
  }
  EXPECT_TRUE(namesSource) << "the header names the source of the values";
  // The seven defining constants and sixty or more of the measured and derived ones.
  EXPECT_GE(constants, 67);
  EXPECT_EQ(shown_.size(), static_cast<std::size_t>(constants)) << "a name shown twice";
}

TEST_F(ConstantsFileTest, EveryValueIsTheReferenceTablesValue) {
  std::map<std::string, std::string> codata;  // quantity -> value text, as published
  for (const auto& f : ReadTsvRows(kSourceDir + "/units/testdata/codata-2022-rows.tsv")) {
    if (f.size() == 4 && f[0] != "quantity") codata[f[0]] = f[1];
  }
  std::map<std::string, std::string> names;  // shown name -> CODATA quantity
  for (const auto& f : ReadTsvRows(kSourceDir + "/units/testdata/qaconst-names.tsv")) {
    if (f.size() == 2) names[f[0]] = f[1];
  }
  ASSERT_FALSE(codata.empty());
  for (const auto& [name, text] : shown_) {
    SCOPED_TRACE(name);
    const auto quantity = names.find(name);
    ASSERT_NE(quantity, names.end()) << "no CODATA quantity named for this constant";
    const auto value = codata.find(quantity->second);
    ASSERT_NE(value, codata.end()) << "no reference row for " << quantity->second;
    EXPECT_EQ(text, value->second) << "the digits as published";
  }
  EXPECT_EQ(shown_.size(), names.size()) << "the name list and the file differ";
}

// The seven constants that define the units are all there; their values are checked against
// the reference rows like the others.
TEST_F(ConstantsFileTest, TheDefiningConstantsAreThere) {
  for (const char* name : {"Caesium frequency", "Speed of light", "Planck constant",
                           "Elementary charge", "Boltzmann constant", "Avogadro constant",
                           "Luminous efficacy"}) {
    EXPECT_EQ(shown_.count(name), 1u) << name;
  }
}

}  // namespace
}  // namespace quantora
