#include "units/unit_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/recording_reporter_test_util.h"
#include "testing/text_file_test_util.h"

namespace quantora {
namespace {

enum { kLength = 0, kVolume = 2, kTime = 4 };

UnitTables TestTables() {
  RecordingReporter reporter;
  UnitTables tables;
  LoadDimensionLabels(reporter, tables, testing::kTestCataloguePath);
  tables.NumberOfScalers = LoadScalers(reporter, tables, testing::kTestCataloguePath);
  return tables;
}

// The first matches of each text, as the find field shows them, over the shared catalogue.
TEST(FindUnits, FirstMatchesOfTypedTexts) {
  const UnitTables tables = TestTables();
  const UnitCatalogue catalogue = LoadUnitCatalogue(tables, testing::kTestCataloguePath);
  const struct {
    const char* text;
    int current;
    std::vector<std::string> first;
  } rows[] = {
      // The current quantity first, then names that begin with the text.
      {"c", kTime,
       {"second (Time)", "Cubic meters (Volume)", "Cubic feet (Volume)", "Celsius (Temperature)",
        "acre (Area)"}},
      {"METER", kVolume, {"Cubic meters (Volume)", "meter (Length)", "Square meters (Area)"}},
      // Plain names before any multiplier, even of the current quantity.
      {"meter", kLength,
       {"meter (Length)", "Square meters (Area)", "Cubic meters (Volume)",
        "quettameter (Length)"}},
      {"kilometer", kLength,
       {"kilometer (Length)", "Square kilometers (Area)", "Cubic kilometers (Volume)"}},
      {"square kilometers", kLength, {"Square kilometers (Area)"}},
      // Words in any order, punctuation aside; the label drops what follows the marked word.
      {"us; cubic feet", kLength, {"Cubic feet (Volume)"}},
      {"celsius", kLength, {"Celsius (Temperature)"}},
      {"metermetermetermetermetermetermetermetermeter", kLength, {}},
      {" ; ", kLength, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const std::vector<UnitMatch> found = FindUnits(tables, catalogue, row.text, row.current);
    std::vector<std::string> first;
    for (std::size_t i = 0; i < found.size() && i < row.first.size(); ++i)
      first.push_back(UnitMatchText(tables, catalogue, found[i]));
    EXPECT_EQ(first, row.first);
    EXPECT_EQ(found.empty(), row.first.empty());
  }
}

// "acre" has five matches, acre and its four multiplier forms: Down stops at the last, and
// typing again shows the new text's first match.
TEST(UnitFinder, StepsStopAtTheLastMatchAndNewTextStartsAtTheFirst) {
  const UnitTables tables = TestTables();
  UnitFinder finder;
  finder.Type("acre", tables, kLength, testing::kTestCataloguePath);
  for (int i = 0; i < 6; ++i) finder.Step(1);
  EXPECT_EQ(finder.Line(tables), "milliacre (Area)");
  finder.Type("acre", tables, kLength, testing::kTestCataloguePath);
  EXPECT_EQ(finder.Line(tables), "acre (Area)");
}

}  // namespace
}  // namespace quantora
