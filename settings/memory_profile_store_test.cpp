// The in-memory settings store that the settings tests run on answers as the platform's store
// does (a window test holds the two side by side) and keeps what it does not change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/memory_profile_store_fake.h"

namespace quantora {
namespace {

TEST(MemoryProfileStore, ReadsTextsAndLeadingIntegersAsThePlatformDoes) {
  const MemoryProfileStore store(
      "[GENERAL]\r\nFilePresent=TRUE\r\n\r\n[Numbers]\r\npadded =   12abc  \r\nnegative=-3\r\n"
      "empty=\r\nlong=123456789012345678901234567890123\r\nquoted=\"quoted text\"\r\n"
      "huge=4294967295\r\nnovalue\r\n");
  const struct {
    const char* section;
    const char* key;
    const char* defaultText;
    const char* text;
    std::int32_t integer;  // with the default 42
  } rows[] = {
      {"general", "filepresent", "", "TRUE", 0},  // names are compared without case
      {"Numbers", "padded", "", "12abc", 12},     // blanks around the value dropped
      {"Numbers", "negative", "", "-3", -3},
      {"Numbers", "huge", "", "4294967295", -1},
      // Only the 29 characters that come back are read, with 32-bit wrap-around.
      {"Numbers", "long", "", "12345678901234567890123456789", 1849262357},
      {"Numbers", "quoted", "", "quoted text", 0},
      {"Numbers", "empty", "dflt", "", 42},        // present but empty: no default text
      {"Numbers", "novalue", "dflt", "dflt", 42},  // a line without '=' holds no value
      {"Missing", "key", "trailing   ", "trailing", 42},
      {"Missing", "key", "abcdefghijklmnopqrstuvwxyz0123456789", "abcdefghijklmnopqrstuvwxyz012",
       42},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(store.GetString(row.section, row.key, row.defaultText), row.text) << row.key;
    EXPECT_EQ(store.GetInt(row.section, row.key, 42), row.integer) << row.key;
  }
}

TEST(MemoryProfileStore, WritesInPlaceAtSectionEndOrFileEndAndKeepsTheRest) {
  const std::string start = "[A]\r\none=1\r\ntwo=2\r\n\r\n[B]\r\nthree=3";
  MemoryProfileStore store(start);
  store.WriteString("B", "three", "3");  // the same value: nothing is written
  EXPECT_EQ(store.Text(), start);
  store.WriteString("A", "ONE", "uno");  // an existing key keeps its place and its name
  store.WriteString("A", "four", "4");   // a new key at the end of its section
  store.WriteString("C", "five", "5");   // a new section at the end of the file
  store.WriteString("B", "six", "6");
  EXPECT_EQ(
      store.Text(),
      "[A]\r\none=uno\r\ntwo=2\r\nfour=4\r\n\r\n[B]\r\nthree=3\r\nsix=6\r\n[C]\r\nfive=5\r\n");
  EXPECT_EQ(store.SectionNames(), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(store.KeyNames("a"), (std::vector<std::string>{"one", "two", "four"}));
}

}  // namespace
}  // namespace quantora
