// The physical constants table that ships with the program, data/QACONST.TXT, against the
// CODATA 2022 rows kept in units/testdata, and the installation copy of the settings file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace quantora {
namespace {

const std::string kSourceDir = QUANTORA_SOURCE_DIR;

struct TextFile {
  bool opened = false;
  bool endsWithNewline = false;
  std::vector<std::string> lines;  // newline removed
};

TextFile ReadText(const std::string& path) {
  TextFile file;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return file;
  file.opened = true;
  std::string text;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
  std::fclose(f);
  file.endsWithNewline = !text.empty() && text.back() == '\n';
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    file.lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return file;
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

std::string TrimRight(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// The columns of one constant: runs of tabs (and the blanks that pad a column) separate them.
std::vector<std::string> Columns(const std::string& line) {
  std::vector<std::string> columns;
  for (const std::string& field : SplitTabs(line)) {
    if (!field.empty()) columns.push_back(TrimRight(field));
  }
  return columns;
}

// quantity -> value text, as published
std::map<std::string, std::string> ReadCodata() {
  std::map<std::string, std::string> values;
  const TextFile file = ReadText(kSourceDir + "/units/testdata/codata-2022-rows.tsv");
  EXPECT_TRUE(file.opened);
  for (const std::string& line : file.lines) {
    if (line.empty() || line[0] == '#' || line.rfind("quantity\t", 0) == 0) continue;
    const auto f = SplitTabs(line);
    if (f.size() == 4) values[f[0]] = f[1];
  }
  return values;
}

// shown name -> CODATA quantity
std::map<std::string, std::string> ReadNames() {
  std::map<std::string, std::string> names;
  const TextFile file = ReadText(kSourceDir + "/units/testdata/qaconst-names.tsv");
  EXPECT_TRUE(file.opened);
  for (const std::string& line : file.lines) {
    if (line.empty() || line[0] == '#') continue;
    const auto f = SplitTabs(line);
    if (f.size() == 2) names[f[0]] = f[1];
  }
  return names;
}

class ConstantsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = ReadText(kSourceDir + "/data/QACONST.TXT");
    ASSERT_TRUE(file_.opened);
  }
  TextFile file_;
};

TEST_F(ConstantsFileTest, LinesAreRemarksOrNameValueUnitsAndFitTheReader) {
  // The dialog drops each line's last character: without a final newline the last constant
  // would lose a digit of its units.
  EXPECT_TRUE(file_.endsWithNewline);
  int constants = 0;
  bool namesSource = false;
  for (std::size_t i = 0; i < file_.lines.size(); ++i) {
    const std::string& line = file_.lines[i];
    SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + line);
    // 98 characters and the newline: the reader's 99 never splits a line into two rows.
    EXPECT_LE(line.size(), 98u);
    EXPECT_EQ(line.find('\r'), std::string::npos);
    if (!line.empty() && line[0] == '/') {
      if (line.find("CODATA 2022") != std::string::npos) namesSource = true;
      continue;
    }
    // No empty rows, and every row is three columns.
    ASSERT_FALSE(line.empty());
    EXPECT_NE(line[0], ' ');
    EXPECT_EQ(Columns(line).size(), 3u);
    ++constants;
  }
  EXPECT_TRUE(namesSource) << "the header names the source of the values";
  // The seven defining constants and sixty or more of the measured and derived ones.
  EXPECT_GE(constants, 67);
}

TEST_F(ConstantsFileTest, EveryValueIsTheReferenceTablesValue) {
  const auto codata = ReadCodata();
  const auto names = ReadNames();
  std::set<std::string> seen;
  for (const std::string& line : file_.lines) {
    if (line.empty() || line[0] == '/') continue;
    const auto columns = Columns(line);
    if (columns.size() != 3) continue;  // reported above
    const std::string& name = columns[0];
    SCOPED_TRACE(name);
    EXPECT_TRUE(seen.insert(name).second) << "shown twice";
    const auto quantity = names.find(name);
    ASSERT_NE(quantity, names.end()) << "no CODATA quantity named for this constant";
    const auto value = codata.find(quantity->second);
    ASSERT_NE(value, codata.end()) << "no reference row for " << quantity->second;
    // The digits as published, and so the same number.
    EXPECT_EQ(columns[1], value->second);
    EXPECT_EQ(std::strtod(columns[1].c_str(), nullptr), std::strtod(value->second.c_str(), nullptr));
  }
  EXPECT_EQ(seen.size(), names.size()) << "the name list and the file differ";
}

TEST_F(ConstantsFileTest, TheDefiningConstantsHaveTheirExactValues) {
  // Fixed by the SI itself, so known without the table.
  const struct {
    const char* name;
    const char* value;
  } defining[] = {
      {"Caesium hyperfine frequency", "9192631770"},
      {"Speed of light in vacuum", "299792458"},
      {"Planck constant", "6.62607015e-34"},
      {"Elementary charge", "1.602176634e-19"},
      {"Boltzmann constant", "1.380649e-23"},
      {"Avogadro constant", "6.02214076e23"},
      {"Luminous efficacy (540 THz)", "683"},
  };
  std::map<std::string, std::string> shown;
  for (const std::string& line : file_.lines) {
    if (line.empty() || line[0] == '/') continue;
    const auto columns = Columns(line);
    if (columns.size() == 3) shown[columns[0]] = columns[1];
  }
  for (const auto& d : defining) {
    ASSERT_TRUE(shown.count(d.name)) << d.name;
    EXPECT_EQ(std::strtod(shown[d.name].c_str(), nullptr), std::strtod(d.value, nullptr)) << d.name;
  }
}

TEST(InstallationSettingsFile, CarriesTheInstallationMarker) {
  const TextFile file = ReadText(kSourceDir + "/data/QUANTORA.INI");
  ASSERT_TRUE(file.opened);
  ASSERT_GE(file.lines.size(), 2u);
  EXPECT_EQ(file.lines[0], "[GENERAL]");
  EXPECT_EQ(file.lines[1], "FilePresent=TRUE");
}

}  // namespace
}  // namespace quantora
