// The platform's store and the in-memory store that the native tests rely on must give the
// same answers for the same file.
#include "settings/profile_store_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "settings/memory_profile_store_fake.h"

namespace quantora {
namespace {

// A settings file of its own for each use, so that no cached copy of an earlier file answers.
std::string TempIni(const std::string& content) {
  static int counter = 0;
  char dir[MAX_PATH] = {};
  GetTempPathA(sizeof dir, dir);
  const std::string path = std::string(dir) + "quantora_store_" +
                           std::to_string(GetCurrentProcessId()) + "_" +
                           std::to_string(counter++) + ".ini";
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

TEST(WinProfileStore, AnswersLikeTheInMemoryStore) {
  const char* const file =
      "[GENERAL]\r\nFilePresent=TRUE\r\n[Numbers]\r\npadded=  12abc\r\nnegative=-3\r\n"
      "letters=abc\r\nempty=\r\nlong=123456789012345678901234567890123\r\n"
      "spaced =  value with blanks  \r\nquoted=\"quoted text\"\r\nplus=+7\r\n"
      "huge=4294967295\r\nMixed=Case\r\n";
  const std::string path = TempIni(file);
  const WinProfileStore win(path);
  const MemoryProfileStore memory(file);
  const char* const queries[][2] = {
      {"GENERAL", "FilePresent"}, {"general", "FILEPRESENT"}, {"Numbers", "padded"},
      {"Numbers", "negative"},    {"Numbers", "letters"},     {"Numbers", "empty"},
      {"Numbers", "long"},        {"Numbers", "spaced"},      {"Numbers", "quoted"},
      {"Numbers", "plus"},        {"Numbers", "huge"},        {"Numbers", "mixed"},
      {"Numbers", "missing"},     {"Missing", "padded"},
  };
  for (const auto& q : queries) {
    for (const char* d : {"FALSE", "", "abcdefghijklmnopqrstuvwxyz0123456789"}) {
      EXPECT_EQ(win.GetString(q[0], q[1], d), memory.GetString(q[0], q[1], d))
          << "[" << q[0] << "] " << q[1] << " default \"" << d << "\"";
    }
    EXPECT_EQ(win.GetInt(q[0], q[1], 42), memory.GetInt(q[0], q[1], 42)) << q[0] << " " << q[1];
  }
  DeleteFileA(path.c_str());
}

TEST(WinProfileStore, WritesInTheSameOrderAsTheInMemoryStore) {
  const char* const start = "[A]\r\none=1\r\ntwo=2\r\n[B]\r\nthree=3\r\n";
  const std::string path = TempIni(start);
  WinProfileStore win(path);
  MemoryProfileStore memory(start);
  const char* const writes[][3] = {
      {"A", "one", "uno"}, {"A", "four", "4"},   {"C", "five", "5"},
      {"B", "six", "6"},   {"C", "seven", "7"}, {"D", "eight", "8"},
  };
  for (const auto& w : writes) {
    win.WriteString(w[0], w[1], w[2]);
    memory.WriteString(w[0], w[1], w[2]);
  }
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());  // flush
  std::ifstream in(path, std::ios::binary);
  const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  in.close();
  const MemoryProfileStore written(content);
  EXPECT_EQ(written.SectionNames(), memory.SectionNames()) << content;
  for (const char* section : {"A", "B", "C", "D"}) {
    EXPECT_EQ(written.KeyNames(section), memory.KeyNames(section)) << section;
    for (const std::string& key : memory.KeyNames(section)) {
      EXPECT_EQ(win.GetString(section, key.c_str(), "?"),
                memory.GetString(section, key.c_str(), "!"))
          << section << " " << key;
    }
  }
  DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace quantora
