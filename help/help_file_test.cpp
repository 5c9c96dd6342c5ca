#include "help/help_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

namespace quantora {
namespace {

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::pair<std::string, std::uint32_t>> IdsOf(std::string_view header) {
  std::vector<std::pair<std::string, std::uint32_t>> ids;
  for (const HelpContextId& id : ReadHelpContextIds(header)) ids.emplace_back(id.name, id.id);
  return ids;
}

TEST(HelpContextIds, OnlyNumberedHelpIdDefinitionsCountAndNamesHashInEitherCase) {
  const std::vector<std::pair<std::string, std::uint32_t>> want = {
      {"HC_VALUE", 5040}, {"HC_RESULT", 5060}, {"HC_UNIT", 6350}, {"HC_LAST", 6210}};
  EXPECT_EQ(IdsOf("// Help\n#define HC_VALUE 5040\n#define HC_RESULT\t5060 /* result */\r\n"
                  "  #define HC_UNIT 6350\n#define IDC_VALUE_EDIT 500\n#define HC_ 7\n"
                  "#define HC_HEX 0x10\n#define HC_NAME \"QUANTORA.HLP\"\n// #define HC_OLD 9\n"
                  "#define HC_LAST 6210"),
            want);
  std::uint32_t upper = 0, lower = 1;
  ASSERT_TRUE(HashContextName("HC_VALUE.09", &upper) && HashContextName("hc_value.09", &lower));
  EXPECT_EQ(upper, lower);
}

#if defined(QUANTORA_HELP_FILE) && defined(QUANTORA_COMPILED_HELP_FILE)

// The help file the build made from the manual, read back: each id of the program leads to
// the topic the compiler filed under the id's name (its hash is the check on ours), and all
// else is kept byte for byte.
TEST(BuiltHelpFile, EveryHelpIdLeadsToItsTopicAndTheRestIsKept) {
  const Bytes header = ReadBytes(QUANTORA_SOURCE_DIR "/resources/convert.h");
  const auto ids = ReadHelpContextIds(std::string(header.begin(), header.end()));
  ASSERT_GE(ids.size(), 20u);
  std::map<std::string, Bytes> compiled, mapped;
  std::vector<InternalFile> files;
  std::string error;
  ASSERT_TRUE(ReadHelpFile(ReadBytes(QUANTORA_COMPILED_HELP_FILE), &files, &error)) << error;
  for (const InternalFile& f : files) compiled[f.name] = f.data;
  ASSERT_TRUE(ReadHelpFile(ReadBytes(QUANTORA_HELP_FILE), &files, &error)) << error;
  for (const InternalFile& f : files) mapped[f.name] = f.data;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> map;
  ASSERT_TRUE(ReadContextNumberMap(mapped["|CTXOMAP"], &map));
  const std::map<std::uint32_t, std::uint32_t> topicOfId(map.begin(), map.end());
  EXPECT_EQ(map.size(), ids.size()) << "each of the program's ids once, and nothing else";
  for (const HelpContextId& id : ids) {
    std::uint32_t hash = 0, topic = 0;
    ASSERT_TRUE(HashContextName(id.name, &hash)) << id.name;
    ASSERT_TRUE(FindContext(compiled["|CONTEXT"], hash, &topic)) << id.name << " has no topic";
    ASSERT_EQ(topicOfId.count(id.id), 1u) << id.name;
    EXPECT_EQ(topicOfId.at(id.id), topic) << id.name;
  }
  compiled.erase("|CTXOMAP");
  mapped.erase("|CTXOMAP");
  EXPECT_EQ(mapped, compiled);
  Bytes again;
  ASSERT_TRUE(AddContextNumberMap(ReadBytes(QUANTORA_HELP_FILE), ids, &again, &error)) << error;
  EXPECT_EQ(again, ReadBytes(QUANTORA_HELP_FILE)) << "mapping a mapped file changes nothing";
}

TEST(BuiltHelpFile, RefusesWhatItCannotMap) {
  const Bytes good = ReadBytes(QUANTORA_COMPILED_HELP_FILE);
  const std::size_t directory = good[4] | good[5] << 8 | good[6] << 16;
  Bytes brokenDirectory = good;
  brokenDirectory[directory + 9] = 0;  // the directory tree's magic number
  Bytes entryOutside = good;
  // The offset of the directory's first entry, "|CONTEXT", past its file and page headers.
  entryOutside[directory + 9 + 38 + 8 + sizeof "|CONTEXT" + 2] = 0x7F;
  const std::vector<HelpContextId> value = {{"HC_VALUE", 5040}};
  const struct {
    Bytes file;
    std::vector<HelpContextId> ids;
    const char* error;
  } rows[] = {
      {Bytes(100, 'x'), value, "not a help file"},
      {Bytes(good.begin(), good.begin() + 16), value, "the directory lies outside the file"},
      {entryOutside, value, "an internal file lies outside the file"},
      {brokenDirectory, value, "the directory is damaged"},
      {good, {{"HC_VALUE", 5040}, {"HC_NOWHERE", 7}}, "HC_NOWHERE (7): no topic"},
      {good, {{"HC-VALUE", 5040}}, "HC-VALUE (5040) is not a topic name"},
      {good, {{"HC_VALUE", 5040}, {"HC_RESULT", 5040}}, "help id 5040 names two topics"},
  };
  for (const auto& [file, ids, message] : rows) {
    Bytes out;
    std::string error;
    EXPECT_FALSE(AddContextNumberMap(file, ids, &out, &error)) << message;
    EXPECT_EQ(error.substr(0, std::string(message).size()), message);
  }
}

#endif

}  // namespace
}  // namespace quantora
