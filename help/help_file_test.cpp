#include "help/help_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace quantora {
namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes ReadBytes(const std::string& path) {
  const std::string text = ReadText(path);
  return Bytes(text.begin(), text.end());
}

std::map<std::string, Bytes> ByName(const std::vector<InternalFile>& files) {
  std::map<std::string, Bytes> out;
  for (const InternalFile& f : files) out[f.name] = f.data;
  return out;
}

TEST(HelpContextIds, TakesOnlyNumberedHelpIdDefinitions) {
  const std::string header =
      "// Help contexts\n"
      "#define HC_VALUE 5040\n"
      "#define HC_RESULT\t5060 /* the result */\r\n"
      "  #define HC_UNIT 6350\n"
      "#define IDC_VALUE_EDIT 500\n"
      "#define HC_ 7\n"
      "#define HCX 8\n"
      "#define HC_HEX 0x10\n"
      "#define HC_NAME \"QUANTORA.HLP\"\n"
      "// #define HC_OLD 9\n"
      "#define HC_LAST 6210";
  const std::vector<HelpContextId> ids = ReadHelpContextIds(header);
  std::vector<std::pair<std::string, std::uint32_t>> got;
  for (const HelpContextId& id : ids) got.emplace_back(id.name, id.id);
  const std::vector<std::pair<std::string, std::uint32_t>> want = {
      {"HC_VALUE", 5040}, {"HC_RESULT", 5060}, {"HC_UNIT", 6350}, {"HC_LAST", 6210}};
  EXPECT_EQ(got, want);
  std::uint32_t upper = 0, lower = 1;
  ASSERT_TRUE(HashContextName("HC_VALUE", &upper) && HashContextName("hc_value", &lower));
  EXPECT_EQ(upper, lower) << "the help compiler hashes names without regard to case";
}

#if defined(QUANTORA_HELP_FILE) && defined(QUANTORA_COMPILED_HELP_FILE)

// The help file the build made from the manual, read back: each id the program passes is in
// the file's context-number map and leads to the topic that the compiler filed under the id's
// name. The compiler's own hashes of the topic names are the check on ours.
class BuiltHelpFile : public testing::Test {
 protected:
  void SetUp() override {
    ids_ = ReadHelpContextIds(ReadText(QUANTORA_SOURCE_DIR "/resources/convert.h"));
    std::string error;
    ASSERT_TRUE(ReadHelpFile(ReadBytes(QUANTORA_COMPILED_HELP_FILE), &compiled_, &error)) << error;
    ASSERT_TRUE(ReadHelpFile(ReadBytes(QUANTORA_HELP_FILE), &mapped_, &error)) << error;
  }
  std::vector<HelpContextId> ids_;
  std::vector<InternalFile> compiled_;
  std::vector<InternalFile> mapped_;
};

TEST_F(BuiltHelpFile, EveryHelpIdOfTheProgramLeadsToItsTopic) {
  ASSERT_GE(ids_.size(), 20u) << "the help ids of the main window and the six dialogs";
  std::map<std::string, Bytes> compiled = ByName(compiled_);
  std::map<std::string, Bytes> mapped = ByName(mapped_);
  std::vector<std::pair<std::uint32_t, std::uint32_t>> map;
  ASSERT_TRUE(ReadContextNumberMap(mapped["|CTXOMAP"], &map));
  const std::map<std::uint32_t, std::uint32_t> offsetOfId(map.begin(), map.end());
  EXPECT_EQ(offsetOfId.size(), map.size()) << "each id once";

  std::map<std::uint32_t, std::string> topicAtOffset;
  for (const HelpContextId& id : ids_) {
    SCOPED_TRACE(id.name);
    std::uint32_t hash = 0, topic = 0;
    ASSERT_TRUE(HashContextName(id.name, &hash));
    ASSERT_TRUE(FindContext(compiled["|CONTEXT"], hash, &topic)) << "no topic of this name";
    ASSERT_EQ(offsetOfId.count(id.id), 1u) << id.id << " is not in the map";
    EXPECT_EQ(offsetOfId.at(id.id), topic);
    topicAtOffset.emplace(topic, id.name);
  }
  EXPECT_EQ(topicAtOffset.size(), ids_.size()) << "every id has a topic of its own";
  EXPECT_EQ(map.size(), ids_.size()) << "nothing but the program's ids is mapped";
}

TEST_F(BuiltHelpFile, KeepsEverythingTheCompilerWrote) {
  std::map<std::string, Bytes> compiled = ByName(compiled_);
  std::map<std::string, Bytes> mapped = ByName(mapped_);
  compiled.erase("|CTXOMAP");
  mapped.erase("|CTXOMAP");
  EXPECT_EQ(mapped, compiled);
  std::string error;
  Bytes again;
  ASSERT_TRUE(AddContextNumberMap(ReadBytes(QUANTORA_HELP_FILE), ids_, &again, &error)) << error;
  EXPECT_EQ(again, ReadBytes(QUANTORA_HELP_FILE)) << "mapping a mapped file changes nothing";
}

TEST_F(BuiltHelpFile, RefusesWhatItCannotMap) {
  const Bytes good = ReadBytes(QUANTORA_COMPILED_HELP_FILE);
  Bytes truncated(good.begin(), good.begin() + 600);
  const std::size_t directory = good[4] | good[5] << 8 | good[6] << 16;
  Bytes brokenDirectory = good;
  brokenDirectory[directory + 9] = 0;  // the directory tree's magic number
  Bytes entryOutside = good;
  // The offset of the directory's first entry, "|CONTEXT": past its file and page headers.
  entryOutside[directory + 9 + 38 + 8 + sizeof "|CONTEXT" + 2] = 0x7F;

  struct Case {
    const char* what;
    Bytes file;
    std::vector<HelpContextId> ids;
    const char* error;
  };
  const std::vector<Case> cases = {
      {"not a help file", Bytes(100, 'x'), ids_, "not a help file"},
      {"cut short", truncated, ids_, "outside the file"},
      {"entry outside", entryOutside, ids_, "an internal file lies outside the file"},
      {"directory damaged", brokenDirectory, ids_, "damaged"},
      {"no such topic", good, {{"HC_VALUE", 5040}, {"HC_NOWHERE", 7}}, "HC_NOWHERE (7)"},
      {"not a topic name", good, {{"HC-VALUE", 5040}}, "HC-VALUE (5040) is not a topic name"},
      {"one id, two topics", good, {{"HC_VALUE", 5040}, {"HC_RESULT", 5040}}, "5040"},
  };
  for (const Case& c : cases) {
    Bytes out;
    std::string error;
    EXPECT_FALSE(AddContextNumberMap(c.file, c.ids, &out, &error)) << c.what;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.what << ": " << error;
  }
}

#endif

}  // namespace
}  // namespace quantora
