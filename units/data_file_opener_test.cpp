// The readers open the data file only through the opener they are given: the text comes from
// what it returns, and a null stream is the unreadable file, named by the path's last part.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "units/catalog_file.h"
#include "units/recording_reporter.h"

namespace quantora {
namespace {

TEST(DataFileOpener, ReadersReadWhatTheOpenerServesForThePathTheyAreGiven) {
  const std::string served = (std::filesystem::temp_directory_path() / "QUANTORA-served.TXT").string();
  std::ofstream(served, std::ios::binary) << "[Length]\nmeter=1\nfoot=0.3048, 2\n[MULTIPLIERS]\nkilo=1000\n";
  std::vector<std::string> asked;
  const DataFileOpener open = [&](const char* path) {
    asked.push_back(path);
    return std::fopen(served.c_str(), "r");
  };
  const char* path = "no such folder/QUANTORA.TXT";
  RecordingReporter reporter;
  UnitTables tables;
  LoadDimensionLabels(reporter, tables, path, open);
  EXPECT_EQ(LoadScalers(reporter, tables, path, open), 1);
  QuantityRecord record;
  record.DimensionIndex = 0;
  ASSERT_TRUE(LoadUnitNames(reporter, tables, record, path, open));
  record.Input.UnitIndex = 1;
  ASSERT_TRUE(LoadUnitFactors(reporter, tables, record, 0, path, open));
  std::filesystem::remove(served);

  EXPECT_EQ(record.NumberOfUnits, 2);
  EXPECT_EQ(record.Input.UnitMult, 0.3048);
  EXPECT_EQ(record.Input.UnitOffset, 2.0);
  EXPECT_TRUE(reporter.messages.empty());
  EXPECT_EQ(asked, std::vector<std::string>(4, path));

  const DataFileOpener fails = [](const char*) { return static_cast<std::FILE*>(nullptr); };
  EXPECT_FALSE(LoadUnitNames(reporter, tables, record, path, fails));
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_NE(reporter.messages[0].text.find("\"QUANTORA.TXT\""), std::string::npos);
  EXPECT_EQ(record.NumberOfUnits, 2);
}

}  // namespace
}  // namespace quantora
