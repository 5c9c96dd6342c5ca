#include "units/unit_search.h"

#include "units/unit_vocabulary.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
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
  const UnitVocabulary vocabulary = LoadUnitVocabulary(tables, catalogue, "no vocabulary");
  const struct {
    const char* text;
    int current;
    std::vector<std::string> first;
  } rows[] = {
      // Names that begin with the text before those that only hold it, whatever the quantity.
      {"c", kTime,
       {"Cubic meters (Volume)", "Cubic feet (Volume)", "Celsius (Temperature)", "second (Time)",
        "acre (Area)", "electronvolt (Energy)"}},
      // The whole name first, then the current quantity's names.
      {"METER", kVolume, {"meter (Length)", "Cubic meters (Volume)", "Square meters (Area)"}},
      {"sec", kTime, {"second (Time)"}},
      // No multiplier the text does not name.
      {"meter", kLength, {"meter (Length)", "Square meters (Area)", "Cubic meters (Volume)"}},
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
    const std::vector<UnitMatch> found = FindUnits(tables, catalogue, vocabulary, row.text, row.current);
    std::vector<std::string> first;  // one more than the row lists: no match too many
    for (std::size_t i = 0; i < found.size() && i <= row.first.size(); ++i)
      first.push_back(UnitMatchText(tables, catalogue, found[i]));
    EXPECT_EQ(first, row.first);
  }
}

// "meter" has three matches: Down stops at the last, which lies in another quantity and says
// so, Up at the first; typing again shows the new text's first match. With no quantity chosen
// there is none to change.
TEST(UnitFinder, StepsStopAtTheEndsAndTheLineSaysWhereTheUserIs) {
  const UnitTables tables = TestTables();
  UnitFinder finder;
  finder.Type("meter", tables, kLength, testing::kTestCataloguePath);
  for (int i = 0; i < 4; ++i) finder.Step(1);
  EXPECT_EQ(finder.Line(tables), "Cubic meters (Volume), 3 of 3" + std::string(kChangesQuantity));
  finder.Type("meter", tables, kLength, testing::kTestCataloguePath);
  finder.Step(-1);
  EXPECT_EQ(finder.Line(tables), "meter (Length), 1 of 3");
  finder.Type("quetta", tables, kNoDimension, testing::kTestCataloguePath);
  EXPECT_EQ(finder.Line(tables), "quettameter (Length), 1 of 12");
}

// Nothing the catalogue does not hold is shown or taken: not a unit past the list, nor one
// whose row the record's list now names otherwise (the file changed under the dialog).
TEST(UnitFinder, TakesOnlyWhatTheRecordStillLists) {
  const UnitTables tables = TestTables();
  UnitFinder finder;
  finder.Type("foot", tables, kLength, testing::kTestCataloguePath);
  const UnitMatch foot = *finder.Shown(), past{kLength, foot.multiplier, 2};
  RecordingReporter reporter;
  auto record = std::make_unique<QuantityRecord>();
  record->DimensionIndex = kLength;
  LoadUnitNames(reporter, tables, *record, testing::kTestCataloguePath);
  EXPECT_TRUE(finder.Lists(*record, foot));
  EXPECT_FALSE(finder.Lists(*record, past));
  EXPECT_EQ(UnitMatchText(tables, LoadUnitCatalogue(tables, testing::kTestCataloguePath), past), "");
  std::strcpy(record->UnitNames[1], "yard");
  EXPECT_FALSE(finder.Lists(*record, foot));
}

}  // namespace
}  // namespace quantora
