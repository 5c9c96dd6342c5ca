#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "testing/memory_profile_store_test_fake.h"
#include "testing/recording_reporter_test_util.h"
#include "testing/text_file_test_util.h"

namespace quantora {
namespace {

const std::string kInstalled = "[GENERAL]\r\nFilePresent=TRUE\r\n";

// The program's records, as the main window holds them, loaded with the units data file at
// the given path.
struct Program {
  void Load(const ProfileStore& store, const std::string& dataFile) {
    outcome = LoadSettings(store, reporter, state, tables, format, dataFile.c_str());
  }
  ConversionState state;
  UnitTables tables;
  NumericFormat format;
  RecordingReporter reporter;
  LoadOutcome outcome = LoadOutcome::Loaded;
};

// A side as "unit index, factor, offset, selected, multiplier index, multiplier factor".
std::ostream& operator<<(std::ostream& out, const UnitSelection& s) {
  return out << s.UnitIndex << " " << s.UnitMult << " " << s.UnitOffset << " " << s.UnitSelected
             << " " << s.UnitScalerIndex << " " << s.UnitScalerMult;
}

// The program after a load as "notation digits places truncate mode value messages".
std::string General(const Program& p) {
  const NumericFormat& f = p.format;
  std::ostringstream text;
  text << f.ValueDisplayType << " " << f.SignificantDigits << " " << f.PlacesRightOfDecimal << " "
       << f.TruncateTrailingZeroes << " " << p.state.MultiDimensional << " " << p.state.InputValue
       << " " << p.reporter.messages.size();
  return text.str();
}

// Slot 4 as "dimension, number of units, input and output labels | input side | output side".
std::string Slot4(const Program& p) {
  const QuantityRecord& r = p.state.QuantityRecords[4];
  std::ostringstream text;
  text << r.DimensionIndex << " " << r.NumberOfUnits << " " << r.Input.LabelId << " "
       << r.Output.LabelId << " | " << r.Input << " | " << r.Output;
  return text.str();
}

// What the program holds after loading the installation marker and a row's keys: without keys,
// the defaults, with the units of "Length" (meter, foot) in every slot and the multipliers at
// "No_Multiplier" (index 2), not at the first entry "quetta".
TEST(Settings, EachKeyLoadsWithItsDefaultAndItsRules) {
  const struct {
    const char* keys;
    std::string (*observe)(const Program&);
    const char* expected;
  } rows[] = {
      {"", General, "1 5 5 0 0 1 0"},
      {"", Slot4, "0 2 506 512 | 0 1 0 0 2 1 | 0 1 0 0 2 1"},
      {"[USER_PREFERENCES]\r\nSignificantDigits=0\r\nPlacesRightOfDecimal=9", General,
       "1 1 0 0 0 1 0"},
      {"[USER_PREFERENCES]\r\nSignificantDigits=8\r\nPlacesRightOfDecimal=8", General,
       "1 8 8 0 0 1 0"},
      {"[USER_PREFERENCES]\r\nSignificantDigits=9\r\nPlacesRightOfDecimal=-1", General,
       "1 1 0 0 0 1 0"},
      {"[USER_PREFERENCES]\r\nValueDisplayType=SCIENTIFIC\r\nTruncateTrailingZeroes=TRUE\r\n"
       "MultiDimensional=TRUE",
       General, "0 5 5 1 1 1 0"},
      {"[USER_PREFERENCES]\r\nValueDisplayType=scientific\r\nMultiDimensional=true", General,
       "1 5 5 0 0 1 0"},
      // Dimension 100 is kept but names no section: reported, nothing selected. Above 100
      // means no quantity; only the low 16 bits count.
      {"[LAST_USED]\r\nDimensionIndex4=100\r\nInputUnitSelected4=TRUE", Slot4,
       "100 0 506 512 | 0 1 0 0 2 1 | 0 1 0 0 2 1"},
      {"[LAST_USED]\r\nDimensionIndex4=100", General, "1 5 5 0 0 1 1"},
      {"[LAST_USED]\r\nDimensionIndex4=101\r\nInputUnitSelected4=TRUE", Slot4,
       "9999 0 506 512 | 0 1 0 0 2 1 | 0 1 0 0 2 1"},
      {"[LAST_USED]\r\nDimensionIndex4=65537", Slot4,
       "1 2 506 512 | 0 1 0 0 2 1 | 0 1 0 0 2 1"},
      // A multiplier index is taken as it stands, also 0, unless past the five multipliers.
      {"[LAST_USED]\r\nInputUnitScalerIndex4=0\r\nOutputUnitScalerIndex4=5", Slot4,
       "0 2 506 512 | 0 1 0 0 0 1e+30 | 0 1 0 0 2 1"},
      // A selected unit past the slot's two is reset whole; an unselected one is kept.
      {"[LAST_USED]\r\nInputUnitIndex4=2\r\nInputUnitMult4=5\r\nInputUnitSelected4=TRUE\r\n"
       "OutputUnitIndex4=150\r\nOutputUnitScalerIndex4=4",
       Slot4, "0 2 506 512 | 0 1 0 0 2 1 | 150 1 0 0 4 0.001"},
  };
  for (const auto& row : rows) {
    const MemoryProfileStore store(kInstalled + row.keys);
    Program p;
    p.Load(store, testing::kTestCataloguePath);
    EXPECT_EQ(p.outcome, LoadOutcome::Loaded) << row.keys;
    EXPECT_EQ(row.observe(p), row.expected) << row.keys;
  }
}

// The file that installation puts in place, with the shipped catalogue: no quantity chosen and
// every multiplier at "No_Multiplier", so that no unit gets a stray prefix.
TEST(Settings, TheInstalledFileStartsWithNoQuantityAndNoMultiplier) {
  std::ifstream ini(QUANTORA_SOURCE_DIR "/data/QUANTORA.INI", std::ios::binary);
  Program p;
  p.Load(MemoryProfileStore(std::string(std::istreambuf_iterator<char>(ini), {})),
         QUANTORA_SOURCE_DIR "/data/QUANTORA.TXT");
  ASSERT_EQ(p.outcome, LoadOutcome::Loaded);
  EXPECT_STREQ(p.tables.Scalers[p.tables.NoMultiplierIndex].Name, "No_Multiplier");
  for (const QuantityRecord& record : p.state.QuantityRecords) {
    EXPECT_EQ(record.DimensionIndex, kNoDimension);
    for (bool input : {true, false}) {
      EXPECT_EQ(Side(record, input).UnitScalerIndex, p.tables.NoMultiplierIndex);
      EXPECT_EQ(Side(record, input).UnitSelected, 0);
    }
  }
}

// The save of distinct values in every field, against the file worked out by hand; loading that
// file and saving again gives it back byte for byte, so that every key is read into the field
// it was written from; a failed write is reported.
TEST(Settings, SaveWritesTheWholeFileAndTheLoadReadsItBack) {
  std::string expected;
  for (const std::string& line :
       testing::ReadLines(QUANTORA_SOURCE_DIR "/settings/testdata/saved-settings.ini").lines) {
    expected += line + "\r\n";
  }
  Program saved;
  saved.state.MultiDimensional = 1;
  saved.state.InputValuePresent = 1;
  saved.format = NumericFormat{FIXED_DECIMAL, 7, 3, 2};  // only 1 is saved as TRUE
  const std::uint16_t dimensions[kSlotCount] = {0, 1, 2, kNoDimension, 2, 1};
  for (int slot = 0; slot < kSlotCount; ++slot) {
    QuantityRecord& r = saved.state.QuantityRecords[slot];
    r.DimensionIndex = dimensions[slot];
    r.Input = {static_cast<std::uint16_t>(slot % 2), 10.5 + slot, 20.25 + slot};
    r.Input.UnitSelected = dimensions[slot] != kNoDimension;
    r.Input.UnitScalerIndex = static_cast<std::uint16_t>(slot % 3);
    r.Output = {static_cast<std::uint16_t>(100 + slot), 30.125 + slot, -40.5 - slot};
    r.Output.UnitScalerIndex = static_cast<std::uint16_t>((slot + 1) % 3);
  }
  // Reals that nine decimals cannot hold are written in their shortest exact form.
  saved.state.InputValue = 1.602176634e-19;              // nine decimals would say 0.000000000
  saved.state.QuantityRecords[0].Input.UnitMult = 1e30;  // nine decimals take 41 characters
  saved.state.QuantityRecords[0].Output.UnitMult = 1234567890123456789.0;  // 29: they fit
  saved.state.QuantityRecords[2].Input.UnitOffset = 1.0 / 3.0;
  saved.state.QuantityRecords[5].Input.UnitOffset = std::ldexp(1.0, -1074);  // the smallest
  saved.state.QuantityRecords[5].Output.UnitOffset = -HUGE_VAL;
  MemoryProfileStore store(kInstalled);
  const WindowRect rect = TransferWindowRect(kLoadWindowRect, store);  // no keys: the defaults
  EXPECT_EQ((std::vector<int>{rect.left, rect.top, rect.right, rect.bottom}),
            (std::vector<int>{10, 10, 200, 200}));
  ASSERT_TRUE(SaveSettings(store, saved.reporter, saved.state, saved.format,
                          WindowRect{-8, 3, 1400, 900}));
  EXPECT_EQ(store.Text(), expected);

  Program p;
  p.Load(store, testing::kTestCataloguePath);
  ASSERT_EQ(p.outcome, LoadOutcome::Loaded);
  MemoryProfileStore again(kInstalled);
  ASSERT_TRUE(SaveSettings(again, p.reporter, p.state, p.format,
                          TransferWindowRect(kLoadWindowRect, store)));
  EXPECT_EQ(again.Text(), expected);
  // A file that takes no write: the user is told once, with the file's name.
  again.readOnly = true;
  EXPECT_FALSE(SaveSettings(again, p.reporter, p.state, p.format, WindowRect{}, "Q.INI"));
  ASSERT_EQ(p.reporter.messages.size(), 1u);
  EXPECT_NE(p.reporter.messages[0].text.find("file,\r\"Q.INI\"!"), std::string::npos);
}

// A quantity whose section is missing from the catalogue for now shows nothing, but its saved
// choice stays in the file for the start at which the section is back.
TEST(Settings, ASlotWhoseUnitsCannotBeReadKeepsItsSavedChoice) {
  const std::string energySlot =
      "DimensionIndex0=5\r\nInputUnitIndex0=1\r\nInputUnitMult0=1.602176634e-19\r\n"
      "InputUnitSelected0=TRUE\r\nInputUnitScalerIndex0=1\r\n"
      "OutputUnitIndex0=0\r\nOutputUnitSelected0=TRUE\r\nOutputUnitScalerIndex0=1\r\n";
  MemoryProfileStore store(kInstalled + "[LAST_USED]\r\nInputValuePresent=TRUE\r\n" + energySlot);
  const std::string catalogue = testing::TestCatalogue();
  Program p;
  p.Load(store, testing::TestFile(catalogue.substr(0, catalogue.find("[Energy]")) +
                         catalogue.substr(catalogue.find("[MULTIPLIERS]"))));
  EXPECT_FALSE(CanConvert(p.state, false)) << "no conversion for the unreadable slot";
  ASSERT_TRUE(SaveSettings(store, p.reporter, p.state, p.format, WindowRect{}));
  EXPECT_NE(store.Text().find(energySlot), std::string::npos) << store.Text();

  Program back;
  back.Load(store, testing::kTestCataloguePath);
  EXPECT_EQ(back.state.QuantityRecords[0].Input.UnitScalerMult, 1000.0);
  EXPECT_TRUE(CanConvert(back.state, false)) << "the section is back: so is the conversion";
}

// A failed start reports once and leaves the file as it was: the main window closes without
// saving, and a save without the marker would write nothing.
TEST(Settings, FailedStartUpsReportOnceAndLeaveTheFileAsItWas) {
  const std::string saved = kInstalled + "[USER_PREFERENCES]\r\nMultiDimensional=TRUE\r\n";
  const struct {
    std::string settings;
    std::string dataFile;
    LoadOutcome outcome;
    unsigned beep;
    const char* text;  // nullptr: the reader's own message
  } rows[] = {
      {"", testing::kTestCataloguePath, LoadOutcome::SettingsFileMissing, kBeepHand,
       "Cannot find the program initialization file,\r\"QUANTORA.INI\", in the windows "
       "directory!\rThis file must be present for Quantora to run.\r\rPlease run the setup "
       "program again."},
      {saved, ::testing::TempDir() + "none/QUANTORA.TXT", LoadOutcome::UnitsDataFileUnreadable,
       kBeepDefault,
       "Cannot read the Quantora data file, \"QUANTORA.TXT\"!\rThis file must be present for "
       "Quantora to run.\r\rPlease run the setup program again."},
      {saved, testing::TestFile("[Length]\nmeter=1\n"), LoadOutcome::NoMultipliers, kBeepDefault, nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.settings + " with " + row.dataFile);
    MemoryProfileStore store(row.settings);
    Program p;
    p.Load(store, row.dataFile);
    EXPECT_EQ(p.outcome, row.outcome);
    ASSERT_EQ(p.reporter.messages.size(), 1u);  // reported once, by the failing step alone
    EXPECT_EQ(p.reporter.beeps, std::vector<unsigned>{row.beep});
    EXPECT_EQ(p.reporter.messages[0].title, "Quantora Error");
    EXPECT_EQ(p.reporter.messages[0].style, kStyleStop);
    if (row.text != nullptr) {
      EXPECT_EQ(p.reporter.messages[0].text, row.text);
    }
    if (row.outcome == LoadOutcome::SettingsFileMissing) {
      EXPECT_FALSE(SaveSettings(store, p.reporter, p.state, p.format, WindowRect{}));
      EXPECT_EQ(store.Text(), row.settings);
    }
  }
}

}  // namespace
}  // namespace quantora
