// The platform's store and the in-memory store that the native tests rely on must give the
// same answers for the same file.
#include "settings/profile_store_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "settings/memory_profile_store_fake.h"
#include "settings/settings.h"

namespace quantora {
namespace {

// A settings file of its own for each use, so that no cached copy of an earlier file answers.
class TempIni {
 public:
  explicit TempIni(const std::string& content) {
    static int counter = 0;
    char dir[MAX_PATH] = {};
    GetTempPathA(sizeof dir, dir);
    path_ = std::string(dir) + "quantora_store_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(counter++) + ".ini";
    std::ofstream(path_, std::ios::binary) << content;
  }
  ~TempIni() { DeleteFileA(path_.c_str()); }
  TempIni(const TempIni&) = delete;
  TempIni& operator=(const TempIni&) = delete;

  const std::string& Path() const { return path_; }
  std::string Content() const {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());  // flush
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  std::string path_;
};

const char* const kFile =
    "[GENERAL]\r\n"
    "FilePresent=TRUE\r\n"
    "[Numbers]\r\n"
    "padded=  12abc\r\n"
    "negative=-3\r\n"
    "letters=abc\r\n"
    "empty=\r\n"
    "long=123456789012345678901234567890123\r\n"
    "spaced =  value with blanks  \r\n"
    "quoted=\"quoted text\"\r\n"
    "plus=+7\r\n"
    "huge=4294967295\r\n"
    "Mixed=Case\r\n";

TEST(WinProfileStore, AnswersLikeTheInMemoryStore) {
  TempIni ini(kFile);
  const WinProfileStore win(ini.Path());
  const MemoryProfileStore memory(kFile);
  struct Query {
    const char* section;
    const char* key;
  } queries[] = {
      {"GENERAL", "FilePresent"}, {"general", "FILEPRESENT"}, {"Numbers", "padded"},
      {"Numbers", "negative"},    {"Numbers", "letters"},     {"Numbers", "empty"},
      {"Numbers", "long"},        {"Numbers", "spaced"},      {"Numbers", "quoted"},
      {"Numbers", "plus"},        {"Numbers", "huge"},        {"Numbers", "mixed"},
      {"Numbers", "missing"},     {"Missing", "padded"},
  };
  const char* const defaults[] = {"FALSE", "", "abcdefghijklmnopqrstuvwxyz0123456789"};
  for (const Query& q : queries) {
    for (const char* d : defaults) {
      EXPECT_EQ(win.GetString(q.section, q.key, d), memory.GetString(q.section, q.key, d))
          << "[" << q.section << "] " << q.key << " default \"" << d << "\"";
    }
    EXPECT_EQ(win.GetInt(q.section, q.key, 42), memory.GetInt(q.section, q.key, 42))
        << "[" << q.section << "] " << q.key;
  }
}

TEST(WinProfileStore, WritesInTheSameOrderAsTheInMemoryStore) {
  const char* const start = "[A]\r\none=1\r\ntwo=2\r\n[B]\r\nthree=3\r\n";
  TempIni ini(start);
  WinProfileStore win(ini.Path());
  MemoryProfileStore memory(start);
  struct Write {
    const char* section;
    const char* key;
    const char* value;
  } writes[] = {
      {"A", "one", "uno"}, {"A", "four", "4"}, {"C", "five", "5"},
      {"B", "six", "6"},   {"C", "seven", "7"}, {"D", "eight", "8"},
  };
  for (const Write& w : writes) {
    win.WriteString(w.section, w.key, w.value);
    memory.WriteString(w.section, w.key, w.value);
  }
  const MemoryProfileStore written(ini.Content());
  EXPECT_EQ(written.SectionNames(), memory.SectionNames()) << ini.Content();
  for (const char* section : {"A", "B", "C", "D"}) {
    EXPECT_EQ(written.KeyNames(section), memory.KeyNames(section)) << section;
    for (const std::string& key : memory.KeyNames(section)) {
      EXPECT_EQ(win.GetString(section, key.c_str(), "?"),
                memory.GetString(section, key.c_str(), "!"))
          << section << " " << key;
    }
  }
}

TEST(WinProfileStore, FirstSaveCreatesTheSectionsInOrder) {
  const char* const installed = "[GENERAL]\r\nFilePresent=TRUE\r\n";
  TempIni ini(installed);
  WinProfileStore win(ini.Path());
  MemoryProfileStore memory(installed);
  ConversionState state;
  state.QuantityRecords[2].Output.UnitMult = 1.602176634e-19;
  NumericFormat format;
  ASSERT_TRUE(SaveSettings(win, state, format, WindowRect{1, 2, 3, 4}));
  ASSERT_TRUE(SaveSettings(memory, state, format, WindowRect{1, 2, 3, 4}));

  const MemoryProfileStore written(ini.Content());
  EXPECT_EQ(written.SectionNames(),
            (std::vector<std::string>{"GENERAL", "Window", "LAST_USED", "USER_PREFERENCES"}));
  for (const char* section : {"GENERAL", "Window", "LAST_USED", "USER_PREFERENCES"}) {
    EXPECT_EQ(written.KeyNames(section), memory.KeyNames(section)) << section;
  }
  EXPECT_EQ(ReadIniDouble(win, "LAST_USED", "OutputUnitMult2", 1.0), 1.602176634e-19);
}

TEST(WinProfileStore, MissingFileAnswersWithDefaultsAndFailsTheCheck) {
  TempIni ini("");
  DeleteFileA(ini.Path().c_str());
  const WinProfileStore win(ini.Path());
  EXPECT_EQ(win.GetString("GENERAL", "FilePresent", "FALSE"), "FALSE");
  EXPECT_EQ(win.GetInt("Window", "normleft", 10), 10);
  EXPECT_EQ(GetFileAttributesA(ini.Path().c_str()), INVALID_FILE_ATTRIBUTES);  // not created
}

}  // namespace
}  // namespace quantora
