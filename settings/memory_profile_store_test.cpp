#include "settings/memory_profile_store_fake.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quantora {
namespace {

const char* const kFile =
    "[GENERAL]\r\n"
    "FilePresent=TRUE\r\n"
    "\r\n"
    "[Numbers]\r\n"
    "padded =   12abc  \r\n"
    "negative=-3\r\n"
    "letters=abc\r\n"
    "empty=\r\n"
    "long=123456789012345678901234567890123\r\n"
    "quoted=\"quoted text\"\r\n"
    "plus=+7\r\n"
    "huge=4294967295\r\n"
    "novalue\r\n"
    "Zone=Z\r\n";

TEST(MemoryProfileStore, ReadsValuesAsThePlatformDoes) {
  const MemoryProfileStore store(kFile);
  struct Row {
    const char* section;
    const char* key;
    const char* defaultText;
    const char* expected;
  } rows[] = {
      {"GENERAL", "FilePresent", "FALSE", "TRUE"},
      {"general", "filepresent", "FALSE", "TRUE"},  // names are compared without case
      {"NUMBERS", "zONE", "", "Z"},
      {"Numbers", "padded", "", "12abc"},           // blanks around the value dropped
      {"Numbers", "long", "", "12345678901234567890123456789"},  // 29 characters
      {"Numbers", "quoted", "", "quoted text"},
      {"Numbers", "empty", "dflt", ""},             // present but empty: no default
      {"Numbers", "novalue", "dflt", "dflt"},       // a line without '=' holds no value
      {"Numbers", "missing", "dflt", "dflt"},
      {"Missing", "FilePresent", "FALSE", "FALSE"},
      {"Missing", "key", "abcdefghijklmnopqrstuvwxyz0123456789", "abcdefghijklmnopqrstuvwxyz012"},
      {"Missing", "key", "trailing   ", "trailing"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(store.GetString(row.section, row.key, row.defaultText), row.expected)
        << "[" << row.section << "] " << row.key;
  }
}

TEST(MemoryProfileStore, ReadsTheLeadingIntegerOrTheDefault) {
  const MemoryProfileStore store(kFile);
  struct Row {
    const char* key;
    std::int32_t expected;
  } rows[] = {
      {"padded", 12}, {"negative", -3}, {"letters", 0}, {"empty", 42},
      {"missing", 42}, {"plus", 7}, {"huge", -1}, {"novalue", 42},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(store.GetInt("Numbers", row.key, 42), row.expected) << row.key;
  }
  // Only the 29 characters that come back are read, with 32-bit wrap-around:
  // 12345678901234567890123456789 modulo 2^32.
  EXPECT_EQ(store.GetInt("Numbers", "long", 42), 1849262357);
}

TEST(MemoryProfileStore, KeepsTheTextWhenNothingChanges) {
  MemoryProfileStore store(std::string(kFile) + "tail without newline");
  EXPECT_EQ(store.Text(), std::string(kFile) + "tail without newline");
  store.WriteString("GENERAL", "FilePresent", "TRUE");  // the same value: nothing is written
  EXPECT_EQ(store.Text(), std::string(kFile) + "tail without newline");
}

TEST(MemoryProfileStore, WritesInPlaceAtSectionEndOrFileEnd) {
  MemoryProfileStore store(
      "[A]\r\n"
      "one=1\r\n"
      "two=2\r\n"
      "\r\n"
      "[B]\r\n"
      "three=3");
  store.WriteString("A", "ONE", "uno");    // an existing key keeps its place and its name
  store.WriteString("A", "four", "4");     // a new key at the end of its section
  store.WriteString("C", "five", "5");     // a new section at the end of the file
  store.WriteString("B", "six", "6");
  store.WriteString("C", "seven", "7");
  EXPECT_EQ(store.Text(),
            "[A]\r\n"
            "one=uno\r\n"
            "two=2\r\n"
            "four=4\r\n"
            "\r\n"
            "[B]\r\n"
            "three=3\r\n"
            "six=6\r\n"
            "[C]\r\n"
            "five=5\r\n"
            "seven=7\r\n");
  EXPECT_EQ(store.SectionNames(), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(store.KeyNames("a"), (std::vector<std::string>{"one", "two", "four"}));
  EXPECT_EQ(store.GetString("A", "one", ""), "uno");
}

TEST(MemoryProfileStore, ANewKeyGoesBeforeTheBlankLinesAndAfterALastLineWithoutItsEnd) {
  MemoryProfileStore blank("[A]\r\n\r\n[B]\r\nb=1");
  blank.WriteString("A", "k", "v");
  blank.WriteString("B", "c", "2");
  EXPECT_EQ(blank.Text(), "[A]\r\nk=v\r\n\r\n[B]\r\nb=1\r\nc=2\r\n");
}

TEST(MemoryProfileStore, AnEmptyStoreGrowsSectionsInWriteOrder) {
  MemoryProfileStore store;
  store.WriteString("Window", "normleft", "10");
  store.WriteString("LAST_USED", "InputValue", "1.000000000");
  store.WriteString("Window", "normright", "200");
  EXPECT_EQ(store.Text(),
            "[Window]\r\nnormleft=10\r\nnormright=200\r\n"
            "[LAST_USED]\r\nInputValue=1.000000000\r\n");
}

}  // namespace
}  // namespace quantora
