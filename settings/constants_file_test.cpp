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

using Rows = std::vector<std::string>;

// A list with room for a given number of rows.
struct FakeList : ConstantsList {
  explicit FakeList(std::size_t size = 1000) : room(size) {}
  void Clear() override { rows.clear(); }
  bool Add(const std::string& row) override {
    if (rows.size() == room) return false;
    rows.push_back(row);
    return true;
  }
  std::size_t room;
  Rows rows{"left from before"};
};

class ConstantsFileReader : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove(path_); }
  const char* Write(const std::string& content) {
    path_ = (std::filesystem::temp_directory_path() /
             (std::string("qaconst-") +
              ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt"))
                .string();
    std::ofstream(path_, std::ios::binary) << content;
    return path_.c_str();
  }
  std::string path_;
  RecordingReporter reporter_;
};

TEST_F(ConstantsFileReader, EachLineButRemarksIsOneRowWithoutItsLineEnd) {
  const std::string longLine = "Long name\t\t\t" + std::string(150, '9') + "\t\tm";
  const struct {
    std::string file;
    Rows rows;
  } cases[] = {
      {"/ remark\n/another\n", {}},
      {"b\tc\n/x\n a\n\n/ y\nz", {"b\tc", " a", "", "z"}},
      {"one\r\ntwo\r\nthree\rfour\r", {"one", "two", "three\rfour\r"}},
      // A line longer than any read buffer stays one row, cut far beyond what the list shows.
      {longLine + "\nnext\n", {longLine, "next"}},
      {"x" + std::string(300, 'y') + "\n", {"x" + std::string(kMaxConstantRowLength - 1, 'y')}},
  };
  for (const auto& c : cases) {
    FakeList list;
    FillConstantsList(reporter_, list, Write(c.file));
    EXPECT_EQ(list.rows, c.rows) << c.file;
  }
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(ConstantsFileReader, TheTwoMessages) {
  FakeList list(2);
  EXPECT_EQ(CheckConstantsFile(reporter_, Write("a\n/r\nb\nc\nd\n")), 1);
  FillConstantsList(reporter_, list, path_.c_str());
  EXPECT_EQ(list.rows, (Rows{"a", "b"}));  // what was added stays; the rest is not read

  const std::string missing = path_ + ".missing/QACONST.TXT";
  EXPECT_EQ(CheckConstantsFile(reporter_, missing.c_str()), 0);
  FillConstantsList(reporter_, list, missing.c_str());
  EXPECT_EQ(list.rows, (Rows{"a", "b"}));

  const char* unreadable =
      "Cannot read the Quantora data file, \"QACONST.TXT\"!\rThis file must be present to view "
      "the physical constants.\r\rPlease run the setup program again.";
  const char* texts[] = {"Error encountered when trying to add a physical constant to the "
                         "constants list box.  Memory may be low.  ",
                         unreadable, unreadable};
  ASSERT_EQ(reporter_.messages.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(reporter_.messages[i].text, texts[i]);
    EXPECT_EQ(reporter_.messages[i].title, "Quantora Error");
    EXPECT_EQ(reporter_.messages[i].style, kStyleStop);
  }
  EXPECT_EQ(reporter_.beeps, std::vector<unsigned>(3, kBeepDefault));
}

}  // namespace
}  // namespace quantora
