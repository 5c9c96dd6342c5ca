// The physical constants table that ships with the program, data/QACONST.TXT, against the
// CODATA 2022 rows kept in units/testdata.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "settings/constants_file.h"
#include "testing/text_file_test_util.h"

namespace quantora {
namespace {

const std::string kSourceDir = QUANTORA_SOURCE_DIR;

TEST(ConstantsData, EveryRowIsNameValueUnitsWithTheReferenceTablesValue) {
  std::map<std::string, std::string> codata;  // quantity -> value text, as published
  for (const auto& f : testing::ReadTsvRows(kSourceDir + "/units/testdata/codata-2022-rows.tsv")) {
    if (f.size() == 4) codata[f[0]] = f[1];
  }
  std::map<std::string, std::string> names;  // shown name -> CODATA quantity
  for (const auto& f : testing::ReadTsvRows(kSourceDir + "/units/testdata/qaconst-names.tsv")) {
    if (f.size() == 2) names[f[0]] = f[1];
  }
  const testing::TextLines file = testing::ReadLines(kSourceDir + "/data/QACONST.TXT");
  ASSERT_TRUE(file.opened);
  std::map<std::string, std::string> shown;  // name -> value text
  for (const std::string& line : file.lines) {
    SCOPED_TRACE(line);
    // The list keeps this much of a line: no constant loses the end of its units.
    EXPECT_LE(line.size(), kMaxConstantRowLength);
    EXPECT_EQ(line.find('\r'), std::string::npos);
    if (!line.empty() && line[0] == '/') continue;
    // Columns are separated by runs of tabs, a value padded with a blank before its tab.
    std::vector<std::string> columns;
    for (std::string field : testing::SplitTabs(line)) {
      if (!field.empty() && field.back() == ' ') field.pop_back();
      if (!field.empty()) columns.push_back(field);
    }
    ASSERT_EQ(columns.size(), 3u) << "no empty rows, every row three columns";
    EXPECT_NE(line[0], ' ');
    EXPECT_TRUE(shown.emplace(columns[0], columns[1]).second) << "a name shown twice";
    const auto quantity = names.find(columns[0]);
    ASSERT_NE(quantity, names.end()) << "no CODATA quantity named for this constant";
    const auto value = codata.find(quantity->second);
    ASSERT_NE(value, codata.end()) << "no reference row for " << quantity->second;
    EXPECT_EQ(columns[1], value->second) << "the digits as published";
  }
  EXPECT_EQ(shown.size(), names.size()) << "a name of the list is missing from the file";
}

}  // namespace
}  // namespace quantora
