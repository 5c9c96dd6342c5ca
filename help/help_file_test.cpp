#include "help/help_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <tuple>

#include "help/manual_pages.h"
#include "resources/convert.h"

namespace quantora {
namespace {

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(HelpContextIds, OnlyNumberedHelpIdDefinitionsCountAndNamesHashInEitherCase) {
  const char* header =
      "// Help\n#define HC_VALUE 5040\n#define\tHC_RESULT\t5060 /* result */\r\n"
      "  #define HC_UNIT 6350\n#define IDC_VALUE_EDIT 500\n#define HC_ 7\n"
      "#define HC_HEX 0x10\n#define HC_NAME \"QUANTORA.HLP\"\n// #define HC_OLD 9\n"
      "#define HC_LAST 6210";
  std::string ids;
  for (const HelpContextId& id : ReadHelpContextIds(header)) {
    ids += id.name + "=" + std::to_string(id.id) + " ";
  }
  EXPECT_EQ(ids, "HC_VALUE=5040 HC_RESULT=5060 HC_UNIT=6350 HC_LAST=6210 ");
  std::uint32_t upper = 0, lower = 1;
  ASSERT_TRUE(HashContextName("HC_AZ.109", &upper) && HashContextName("hc_az.109", &lower));
  EXPECT_EQ(upper, lower);
}

// The directory is written as one page: names up to its room, and no more.
TEST(HelpFileWriter, TheDirectoryFillsOnePageAtMost) {
  Bytes out;
  std::string error;
  EXPECT_TRUE(WriteHelpFile({{std::string(1011, 'n'), 0, {}}}, &out, &error));
  EXPECT_FALSE(WriteHelpFile({{std::string(1012, 'n'), 0, {}}}, &out, &error));
}

#if defined(QUANTORA_HELP_FILE) && defined(QUANTORA_COMPILED_HELP_FILE)

// The help file the build made from the manual, read back: each id of the program leads to
// the topic the compiler filed under the id's name (its hash is the check on ours), and all
// else is kept byte for byte, also when a mapped file is mapped again.
TEST(BuiltHelpFile, EveryHelpIdLeadsToItsTopicAndTheRestIsKept) {
  const Bytes header = ReadBytes(QUANTORA_SOURCE_DIR "/resources/convert.h");
  const auto ids = ReadHelpContextIds(std::string(header.begin(), header.end()));
  ASSERT_GE(ids.size(), 20u);
  std::map<std::string, Bytes> files[2];
  std::vector<InternalFile> read;
  std::string error;
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(ReadHelpFile(ReadBytes(i ? QUANTORA_HELP_FILE : QUANTORA_COMPILED_HELP_FILE), &read,
                             &error));
    for (const InternalFile& f : read) files[i][f.name] = f.data;
  }
  // The map as the viewer reads it: a 16-bit count, then each id and its topic offset, 32 bits
  // each, all little-endian.
  const Bytes& map = files[1]["|CTXOMAP"];
  const auto value = [&](std::size_t at, int bytes) {
    std::uint32_t v = 0;
    while (bytes-- > 0) v = v << 8 | map.at(at + bytes);
    return v;
  };
  ASSERT_EQ(map.size(), 2 + 8 * ids.size()) << "each of the program's ids once, and nothing else";
  EXPECT_EQ(value(0, 2), ids.size());
  std::map<std::uint32_t, std::uint32_t> topicOfId;
  for (std::size_t at = 2; at < map.size(); at += 8) topicOfId[value(at, 4)] = value(at + 4, 4);
  for (const HelpContextId& id : ids) {
    std::uint32_t hash = 0, topic = 0;
    ASSERT_TRUE(HashContextName(id.name, &hash) && FindContext(files[0]["|CONTEXT"], hash, &topic))
        << id.name << " has no topic";
    EXPECT_EQ(topicOfId.count(id.id) ? topicOfId.at(id.id) : 0u, topic) << id.name;
  }
  files[0].erase("|CTXOMAP");
  files[1].erase("|CTXOMAP");
  EXPECT_EQ(files[1], files[0]);
  Bytes again;
  ASSERT_TRUE(AddContextNumberMap(ReadBytes(QUANTORA_HELP_FILE), ids, &again, &error)) << error;
  EXPECT_EQ(again, ReadBytes(QUANTORA_HELP_FILE));
}

// Damaged files: cut short, or a 16-bit value changed. In the directory, past its 9-byte file
// header (whose bytes 4 to 7 give its size), come the 38-byte tree header and the leaf page with its first entry at 8: "|CONTEXT"
// and that internal file's offset.
TEST(BuiltHelpFile, RefusesWhatItCannotMap) {
  const Bytes good = ReadBytes(QUANTORA_COMPILED_HELP_FILE);
  const std::size_t page = (good[4] | good[5] << 8 | good[6] << 16) + 9 + 38;
  const std::vector<HelpContextId> value = {{"HC_VALUE", 5040}};
  // Size kept, where a 16-bit value is changed (0: nowhere) and to what, the ids, the error.
  using Row =
      std::tuple<std::size_t, std::size_t, std::uint16_t, std::vector<HelpContextId>, const char*>;
  const Row rows[] = {
      {good.size(), 1, 0, value, "not a help file"},
      {16, 0, 0, value, "the directory lies outside the file"},
      {good.size(), page - 38 - 5, std::uint16_t(good.size() - page + 39), value,
       "the directory lies outside the file"},  // its size one byte past the end
      {good.size(), page - 38, 0, value, "the directory is damaged"},
      {good.size(), page + 8 + sizeof "|CONTEXT" + 2, 0x7F, value,
       "an internal file lies outside the file"},
      {good.size(), 0, 0, {{"HC_VALUE", 5040}, {"HC_NOWHERE", 7}}, "HC_NOWHERE (7): no topic"},
      {good.size(), 0, 0, {{"HC-VALUE", 5040}}, "HC-VALUE (5040) is not a topic name"},
      {good.size(), 0, 0, {{"HC_VALUE", 1}, {"HC_RESULT", 1}}, "help id 1 names two topics"},
  };
  for (const auto& [size, at, patch, ids, message] : rows) {
    Bytes file(good.begin(), good.begin() + size), out;
    if (at) {
      file[at] = static_cast<std::uint8_t>(patch);
      file[at + 1] = static_cast<std::uint8_t>(patch >> 8);
    }
    std::string error;
    EXPECT_FALSE(AddContextNumberMap(file, ids, &out, &error)) << message;
    EXPECT_EQ(error.substr(0, std::string(message).size()), message);
  }
}

#endif

#if defined(QUANTORA_HELP_DIR) && !defined(_WIN32)

// QUANTORA.CHM as a CHM reader unpacks it: the page the program opens for each help id is in
// it; a subsection's is its own, and the help on help is the section on using help.
TEST(BuiltHtmlHelpFile, HoldsThePageOfEveryHelpId) {
  const std::string dir = ::testing::TempDir() + "quantora-chm/";
  ASSERT_EQ(std::system(("rm -rf " + dir + " && extract_chmLib " QUANTORA_HELP_DIR
                         "/QUANTORA.CHM " + dir + " >/dev/null").c_str()), 0);
  const auto page = [&](const std::string& name) {
    const Bytes b = ReadBytes(dir + name);
    return std::string(b.begin(), b.end());
  };
  for (const ManualPage& p : kManualPages) {
    EXPECT_NE(page(p.page), "") << p.id;
    EXPECT_TRUE(p.id != HC_SUPPORT_EMAIL || page(p.page).find(">E-mail<") != std::string::npos);
  }
  EXPECT_NE(page(kManualHelpOnHelpPage).find("<title>Using help</title>"), std::string::npos);
}

#endif

}  // namespace
}  // namespace quantora
