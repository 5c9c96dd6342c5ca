// Reading the constants file into the lookup list: which lines become rows and what each row
// holds, and the two messages.
#include "settings/constants_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "testing/recording_reporter_test_util.h"
#include "testing/text_file_test_util.h"

namespace quantora {
namespace {

using Rows = std::vector<std::string>;

// A list with room for a given number of rows, holding one from before.
struct FakeList : ConstantsList {
  void Clear() override { rows.clear(); }
  bool Add(const std::string& row) override {
    if (rows.size() == room) return false;
    rows.push_back(row);
    return true;
  }
  std::size_t room = 1000;
  Rows rows{"left from before"};
};

TEST(ConstantsFileReader, EachLineButRemarksIsOneRowWithoutItsLineEnd) {
  const struct {
    std::string file;
    Rows rows;
  } cases[] = {
      {"/ remark\n/another\n", {}},
      {"b\tc\n/x\n a\n\n/ y\nz", {"b\tc", " a", "", "z"}},
      {"one\r\ntwo\r\nthree\rfour\r", {"one", "two", "three\rfour\r"}},
      // A long line stays one row, cut far beyond what the list shows.
      {"x" + std::string(300, 'y') + "\nnext",
       {"x" + std::string(kMaxConstantRowLength - 1, 'y'), "next"}},
  };
  RecordingReporter reporter;
  for (const auto& c : cases) {
    FakeList list;
    const std::string path = testing::TestFile(c.file);
    FillConstantsList(reporter, list, path.c_str());
    EXPECT_EQ(list.rows, c.rows) << c.file;
    std::remove(path.c_str());
  }
  EXPECT_TRUE(reporter.messages.empty());
}

TEST(ConstantsFileReader, AFullListOrAMissingFileGivesItsMessage) {
  RecordingReporter reporter;
  FakeList list;
  list.room = 2;
  const std::string path = testing::TestFile("a\n/r\nb\nc\nd\n");
  EXPECT_EQ(CheckConstantsFile(reporter, path.c_str()), 1);
  FillConstantsList(reporter, list, path.c_str());
  EXPECT_EQ(list.rows, (Rows{"a", "b"}));  // what was added stays; the rest is not read
  std::remove(path.c_str());
  const std::string missing = path + ".missing/QACONST.TXT";
  EXPECT_EQ(CheckConstantsFile(reporter, missing.c_str()), 0);
  FillConstantsList(reporter, list, missing.c_str());
  EXPECT_EQ(list.rows, (Rows{"a", "b"}));
  const std::string unreadable =
      "Cannot read the Quantora data file, \"QACONST.TXT\"!\rThis file must be present to view "
      "the physical constants.\r\rPlease run the setup program again.";
  ASSERT_EQ(reporter.messages.size(), 3u);
  EXPECT_EQ(reporter.messages[0].text,
            "Error encountered when trying to add a physical constant to the constants list "
            "box.  Memory may be low.  ");
  EXPECT_EQ(reporter.messages[1].text, unreadable);
  EXPECT_EQ(reporter.messages[2].text, unreadable);
  EXPECT_EQ(reporter.messages[0].title, "Quantora Error");
  EXPECT_EQ(reporter.messages[0].style, kStyleStop);
  EXPECT_EQ(reporter.beeps, std::vector<unsigned>(3, kBeepDefault));
}

}  // namespace
}  // namespace quantora
