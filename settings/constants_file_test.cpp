// Reading the constants file into the lookup list: which lines become rows and what each row
// holds, and the two messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "settings/constants_file.h"
#include "units/recording_reporter.h"

namespace quantora {
namespace {

const char kUnreadable[] =
    "Cannot read the Quantora data file, \"QACONST.TXT\"!\rThis file must be present to view "
    "the physical constants.\r\rPlease run the setup program again.";
const char kNotAdded[] =
    "Error encountered when trying to add a physical constant to the constants list box.  "
    "Memory may be low.  ";

// A list that takes a given number of rows and refuses the next.
class FakeList : public ConstantsList {
 public:
  explicit FakeList(std::size_t room = 1000) : room_(room) {}
  void Clear() override { rows.clear(); }
  bool Add(const std::string& row) override {
    if (rows.size() == room_) return false;
    rows.push_back(row);
    return true;
  }
  std::vector<std::string> rows{"left from before"};

 private:
  std::size_t room_;
};

class ConstantsFileReader : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    path_ = (std::filesystem::temp_directory_path() / ("qaconst-" + test + ".txt")).string();
  }
  void TearDown() override { std::filesystem::remove(path_); }
  const char* Write(const std::string& content) {
    std::ofstream(path_, std::ios::binary) << content;
    return path_.c_str();
  }
  std::vector<std::string> Rows(const std::string& content) {
    FakeList list;
    FillConstantsList(reporter_, list, Write(content));
    return list.rows;
  }
  std::string path_;
  RecordingReporter reporter_;
};

TEST_F(ConstantsFileReader, EachLineButRemarksIsOneRowWithoutItsLineEnd) {
  const std::string long_line = "Long name\t\t\t" + std::string(150, '9') + "\t\tm";
  const struct {
    std::string file;
    std::vector<std::string> rows;
  } cases[] = {
      {"/ remark\n/another\n", {}},
      {"", {}},
      {"b\tc\n/x\n a\n\n/ y\nz", {"b\tc", " a", "", "z"}},
      // The last line keeps its last character with or without a line end.
      {"Speed\t\t299792458\t\tm/s", {"Speed\t\t299792458\t\tm/s"}},
      {"one\r\ntwo\r\nthree\rfour\r", {"one", "two", "three\rfour\r"}},
      // A line longer than any read buffer stays one row.
      {long_line + "\nnext\n", {long_line, "next"}},
      {"x" + std::string(300, 'y') + "\n/\n", {"x" + std::string(kMaxConstantRowLength - 1, 'y')}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Rows(c.file), c.rows) << c.file;
  }
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(ConstantsFileReader, AMissingFileIsReportedAndLeavesTheListAlone) {
  FakeList list;
  const std::string missing = path_ + ".missing/QACONST.TXT";
  EXPECT_EQ(CheckConstantsFile(reporter_, missing.c_str()), 0);
  FillConstantsList(reporter_, list, missing.c_str());
  EXPECT_EQ(list.rows, std::vector<std::string>{"left from before"});
  ASSERT_EQ(reporter_.messages.size(), 2u);
  for (const auto& message : reporter_.messages) {
    EXPECT_EQ(message.text, kUnreadable);
    EXPECT_EQ(message.title, "Quantora Error");
    EXPECT_EQ(message.style, kStyleStop);
  }
  EXPECT_EQ(reporter_.beeps, (std::vector<unsigned>{kBeepDefault, kBeepDefault}));

  EXPECT_EQ(CheckConstantsFile(reporter_, Write("")), 1);
  EXPECT_EQ(reporter_.messages.size(), 2u);
}

TEST_F(ConstantsFileReader, ARefusedRowStopsTheReadingWithAMessage) {
  FakeList list(2);
  FillConstantsList(reporter_, list, Write("a\n/r\nb\nc\nd\n"));
  EXPECT_EQ(list.rows, (std::vector<std::string>{"a", "b"}));
  ASSERT_EQ(reporter_.messages.size(), 1u);
  EXPECT_EQ(reporter_.messages[0].text, kNotAdded);
  EXPECT_EQ(reporter_.messages[0].title, "Quantora Error");
  EXPECT_EQ(reporter_.beeps, std::vector<unsigned>{kBeepDefault});
}

}  // namespace
}  // namespace quantora
