// The platform's store and the in-memory store that the native tests rely on must give the
// same answers for the same file.
#include "settings/profile_store_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "testing/memory_profile_store_test_fake.h"

namespace quantora {
namespace {

std::string TempIni(const char* name, const std::string& content) {
  char directory[MAX_PATH] = {};
  GetTempPathA(sizeof directory, directory);
  const std::string path = std::string(directory) + "quantora_" + name +
                           std::to_string(GetCurrentProcessId()) + ".ini";
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

// Reads of every kind of line, with every kind of default.
TEST(WinProfileStore, AnswersLikeTheInMemoryStore) {
  const char* const file =
      "[GENERAL]\r\nFilePresent=TRUE\r\n[Numbers]\r\npadded=  12abc\r\nnegative=-3\r\n"
      "letters=abc\r\nempty=\r\nlong=123456789012345678901234567890123\r\n"
      "spaced =  value with blanks  \r\nplus=+7\r\nhuge=4294967295\r\nMixed=Case";
  const std::string path = TempIni("read", file);
  const WinProfileStore win(path);
  const MemoryProfileStore memory(file);
  const char* const queries[][2] = {
      {"GENERAL", "FilePresent"}, {"general", "FILEPRESENT"}, {"Numbers", "padded"},
      {"Numbers", "negative"},    {"Numbers", "letters"},     {"Numbers", "empty"},
      {"Numbers", "long"},        {"Numbers", "spaced"},      {"Numbers", "plus"},
      {"Numbers", "huge"},        {"Numbers", "mixed"},       {"Numbers", "missing"},
      {"Missing", "padded"},
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

// A batch answers as the single reads do, from its copy of the section or, for the lines it
// cannot take as they stand, from the file; and a write is seen by the reads after it.
TEST(WinProfileStore, ReadsInABatchAnswerAsSingleReads) {
  const char* const file =
      "[S]\r\nquoted=\"TRUE\"\r\n;note=1\r\nbare\r\nMixed=Case\r\nmixed=second\r\n"
      "count=0012\r\nzero=0\r\nnine=123456789\r\nlong=123456789012345678901234567890123\r\n"
      "[S]\r\nlater=1\r\n";
  const std::string path = TempIni("batch", file);
  const WinProfileStore single(path);
  WinProfileStore batched(path);
  const WinProfileStore::ReadBatch reading(batched);
  for (const char* key : {"quoted", "bare", "MIXED", "count", "zero", "nine", "long", "later",
                          "missing", ";note"}) {
    for (const char* d : {"FALSE", "'x'", "pad  "}) {
      EXPECT_EQ(batched.GetString("s", key, d), single.GetString("s", key, d)) << key << " " << d;
    }
    EXPECT_EQ(batched.GetInt("s", key, 42), single.GetInt("s", key, 42)) << key;
  }
  batched.WriteString("s", "zero", "7");
  EXPECT_EQ(batched.GetInt("s", "zero", 42), 7);
  DeleteFileA(path.c_str());
}

// Writes that replace a value, add a key after a last line that has no line end, add a key to
// a section before and after a new section, and add sections: the file holds the very bytes
// the in-memory store holds. The file has no blank line and no blanks around '=': some
// platforms tidy those away when they rewrite a file, others keep them.
TEST(WinProfileStore, WritesTheFileTheInMemoryStoreHolds) {
  const char* const file = "[GENERAL]\r\nFilePresent=TRUE\r\n[Numbers]\r\nMixed=Case";
  const std::string path = TempIni("write", file);
  WinProfileStore win(path);
  MemoryProfileStore memory(file);
  const char* const writes[][3] = {
      {"GENERAL", "FilePresent", "uno"}, {"Numbers", "six", "6"}, {"general", "four", "4"},
      {"C", "five", "5"},                {"C", "seven", "7"},     {"D", "eight", "8"},
      {"numbers", "MIXED", "case"},
  };
  for (const auto& w : writes) {
    win.WriteString(w[0], w[1], w[2]);
    memory.WriteString(w[0], w[1], w[2]);
  }
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());  // flush
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), memory.Text());
  in.close();
  DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace quantora
