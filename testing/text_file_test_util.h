// Reading the data files that ship with the program for the tests that check them: a file as
// plain lines, and a line split at its tabs.
#pragma once

#include <gtest/gtest.h>

#ifdef _WIN32
#include <process.h>
#define QUANTORA_PROCESS_ID _getpid
#else
#include <unistd.h>
#define QUANTORA_PROCESS_ID getpid
#endif

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quantora {
namespace testing {

struct TextLines {
  bool opened = false;
  std::vector<std::string> lines;  // newline removed
};

inline TextLines ReadLines(const std::string& path) {
  TextLines file;
  std::ifstream in(path, std::ios::binary);
  file.opened = in.is_open();
  for (std::string line; std::getline(in, line);) file.lines.push_back(line);
  return file;
}

// The small catalogue the unit tests share: Dimensions 0 Length, 1 Area, ... 5 Energy;
// multipliers 0 quetta, 1 kilo, 2 No_Multiplier, 3 centi, 4 milli.
constexpr const char* kTestCataloguePath = QUANTORA_SOURCE_DIR "/units/testdata/test-catalogue.txt";
inline std::string TestCatalogue() {
  std::ifstream in(kTestCataloguePath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A file of the running test's own in the temporary directory, holding the text; its path.
// Test processes run side by side and share that directory: the name holds the process, the
// test and a count of the files this process has made, so no two texts ever share a file.
inline std::string TestFile(const std::string& text) {
  static int made = 0;
  const std::string path = ::testing::TempDir() + "quantora_" +
                           std::to_string(QUANTORA_PROCESS_ID()) + "_" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                           std::to_string(++made);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

inline std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(
        line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

// The tab-separated rows of a reference table, without remarks ('#') and empty lines.
inline std::vector<std::vector<std::string>> ReadTsvRows(const std::string& path) {
  std::vector<std::vector<std::string>> rows;
  for (const std::string& line : ReadLines(path).lines) {
    if (!line.empty() && line[0] != '#') rows.push_back(SplitTabs(line));
  }
  return rows;
}

}  // namespace testing
}  // namespace quantora
