#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "settings/memory_profile_store_fake.h"
#include "units/recording_reporter.h"
#include "units/text_file_test_util.h"

namespace quantora {
namespace {

namespace fs = std::filesystem;

const std::string kCatalogue = testing::TestCatalogue();
const std::string kInstalled = "[GENERAL]\r\nFilePresent=TRUE\r\n";

// The program's records, as the main window holds them.
struct Program {
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

const QuantityRecord& Slot4(const Program& p) { return p.state.QuantityRecords[4]; }

// Each test keeps its units data file "QUANTORA.TXT" in a folder of its own.
class Settings : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove_all(dir_); }
  // Loads from the store with a data file of the given text (nullptr: none).
  void Load(Program& p, const ProfileStore& store, const char* catalogue) {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    if (catalogue != nullptr) std::ofstream(dir_ / "QUANTORA.TXT", std::ios::binary) << catalogue;
    const std::string path = (dir_ / "QUANTORA.TXT").string();
    p.outcome = LoadSettings(store, p.reporter, p.state, p.tables, p.format, path.c_str());
  }
  const fs::path dir_ = fs::path(::testing::TempDir()) /
                        ("quantora_" + std::string(::testing::UnitTest::GetInstance()
                                                       ->current_test_info()
                                                       ->name()));
};

// What the program holds after loading the installation marker and a row's keys: without keys,
// the defaults.
TEST_F(Settings, EachKeyLoadsWithItsDefaultAndItsRules) {
  using Observe = std::function<std::string(const Program&)>;
  auto of = [](auto field) -> Observe {
    return [field](const Program& p) {
      std::ostringstream text;
      text << field(p);
      return text.str();
    };
  };
  // The format as "notation digits places truncate"; the rest from slot 4.
  const Observe format = of([](const Program& p) {
    const NumericFormat& f = p.format;
    return std::to_string(f.ValueDisplayType) + " " + std::to_string(f.SignificantDigits) + " " +
           std::to_string(f.PlacesRightOfDecimal) + " " + std::to_string(f.TruncateTrailingZeroes);
  });
  const Observe mode = of([](const Program& p) { return p.state.MultiDimensional; });
  const Observe value = of([](const Program& p) { return p.state.InputValue; });
  const Observe messages = of([](const Program& p) { return p.reporter.messages.size(); });
  const Observe dimension = of([](const Program& p) { return Slot4(p).DimensionIndex; });
  const Observe units = of([](const Program& p) { return Slot4(p).NumberOfUnits; });
  const Observe in = of([](const Program& p) { return Slot4(p).Input; });
  const Observe out = of([](const Program& p) { return Slot4(p).Output; });
  const Observe label = of([](const Program& p) { return Slot4(p).Output.LabelId; });
  const struct {
    const char* keys;
    Observe observe;
    const char* expected;
  } rows[] = {
      {"", format, "1 5 5 0"},  // engineering notation
      {"", mode, "0"},
      {"", value, "1"},
      {"", messages, "0"},
      {"", dimension, "0"},
      {"", units, "2"},  // "Length": meter, foot
      // No multiplier key: "No_Multiplier" (index 2), not the first entry "quetta".
      {"", in, "0 1 0 0 2 1"},
      {"", out, "0 1 0 0 2 1"},
      {"", label, "512"},
      {"[USER_PREFERENCES]\r\nSignificantDigits=0\r\nPlacesRightOfDecimal=9", format, "1 1 0 0"},
      {"[USER_PREFERENCES]\r\nSignificantDigits=8\r\nPlacesRightOfDecimal=8", format, "1 8 8 0"},
      {"[USER_PREFERENCES]\r\nSignificantDigits=9\r\nPlacesRightOfDecimal=-1", format, "1 1 0 0"},
      {"[USER_PREFERENCES]\r\nValueDisplayType=SCIENTIFIC\r\nTruncateTrailingZeroes=TRUE",
       format, "0 5 5 1"},
      {"[USER_PREFERENCES]\r\nValueDisplayType=scientific", format, "1 5 5 0"},
      {"[USER_PREFERENCES]\r\nMultiDimensional=TRUE", mode, "1"},
      {"[USER_PREFERENCES]\r\nMultiDimensional=true", mode, "0"},
      {"[LAST_USED]\r\nDimensionIndex4=100", dimension, "100"},
      {"[LAST_USED]\r\nDimensionIndex4=101", dimension, "9999"},
      {"[LAST_USED]\r\nDimensionIndex4=65636", dimension, "100"},  // low 16 bits
      // A multiplier index is taken as it stands, also 0, unless past the five multipliers.
      {"[LAST_USED]\r\nInputUnitScalerIndex4=0\r\nOutputUnitScalerIndex4=5", in, "0 1 0 0 0 1e+30"},
      {"[LAST_USED]\r\nInputUnitScalerIndex4=0\r\nOutputUnitScalerIndex4=5", out, "0 1 0 0 2 1"},
      // A selected unit past the slot's two is reset whole; an unselected one is kept.
      {"[LAST_USED]\r\nInputUnitIndex4=2\r\nInputUnitMult4=5\r\nInputUnitSelected4=TRUE", in,
       "0 1 0 0 2 1"},
      {"[LAST_USED]\r\nOutputUnitIndex4=150\r\nOutputUnitScalerIndex4=4", out, "150 1 0 0 4 0.001"},
      // No quantity, or one past the six of the catalogue, which is reported: nothing selected.
      {"[LAST_USED]\r\nDimensionIndex4=9999\r\nInputUnitSelected4=TRUE", in, "0 1 0 0 2 1"},
      {"[LAST_USED]\r\nDimensionIndex4=6\r\nInputUnitSelected4=TRUE", in, "0 1 0 0 2 1"},
      {"[LAST_USED]\r\nDimensionIndex4=6", messages, "1"},
  };
  for (const auto& row : rows) {
    const MemoryProfileStore store(kInstalled + row.keys);
    Program p;
    Load(p, store, kCatalogue.c_str());
    EXPECT_EQ(p.outcome, LoadOutcome::Loaded) << row.keys;
    EXPECT_EQ(row.observe(p), row.expected) << row.keys;
    EXPECT_EQ(store.Text(), kInstalled + row.keys) << "the load writes nothing";
  }
}

// The file that installation puts in place, with the shipped catalogue: no quantity chosen and
// every multiplier at "No_Multiplier", so that no unit gets a stray prefix.
TEST_F(Settings, TheInstalledFileStartsWithNoQuantityAndNoMultiplier) {
  std::ifstream ini(QUANTORA_SOURCE_DIR "/data/QUANTORA.INI", std::ios::binary);
  std::ifstream data(QUANTORA_SOURCE_DIR "/data/QUANTORA.TXT", std::ios::binary);
  Program p;
  Load(p, MemoryProfileStore(std::string(std::istreambuf_iterator<char>(ini), {})),
       std::string(std::istreambuf_iterator<char>(data), {}).c_str());
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
// it was written from.
TEST_F(Settings, SaveWritesTheWholeFileAndTheLoadReadsItBack) {
  std::string expected;
  for (const std::string& line :
       testing::ReadLines(QUANTORA_SOURCE_DIR "/settings/testdata/saved-settings.ini").lines) {
    expected += line + "\r\n";
  }
  Program saved;
  saved.state.MultiDimensional = 1;
  saved.state.InputValue = -1234.5678;
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
  MemoryProfileStore store(kInstalled);
  const WindowRect rect = TransferWindowRect(kLoadWindowRect, store);  // no keys: the defaults
  EXPECT_EQ((std::vector<int>{rect.left, rect.top, rect.right, rect.bottom}),
            (std::vector<int>{10, 10, 200, 200}));
  ASSERT_TRUE(SaveSettings(store, saved.state, saved.format, WindowRect{-8, 3, 1400, 900}));
  EXPECT_EQ(store.Text(), expected);

  Program p;
  Load(p, store, kCatalogue.c_str());
  ASSERT_EQ(p.outcome, LoadOutcome::Loaded);
  // Slot 0 is "meter" under "quetta", slot 1 "acre" under "kilo".
  EXPECT_EQ(p.state.QuantityRecords[0].Input.UnitScalerMult, 1e30);
  EXPECT_EQ(p.state.QuantityRecords[1].Input.UnitScalerMult, 1000.0);
  MemoryProfileStore again(kInstalled);
  ASSERT_TRUE(SaveSettings(again, p.state, p.format, TransferWindowRect(kLoadWindowRect, store)));
  EXPECT_EQ(again.Text(), expected);
}

TEST(SettingsReals, WrittenSoThatTheyReadBackExactly) {
  const struct {
    double value;
    const char* text;  // nullptr: any text, as long as it reads back exactly
  } rows[] = {
      {-0.3048, "-0.304800000"},
      {1234567890123456789.0, "1234567890123456768.000000000"},  // 29 characters: fits
      {1.602176634e-19, "1.602176634e-19"},  // nine decimals would say 0.000000000
      {1e30, "1e+30"},                        // nine decimals would take 41 characters
      {std::ldexp(1.0, -1074), nullptr},      // the smallest double
      {-HUGE_VAL, nullptr},
  };
  for (const auto& row : rows) {
    MemoryProfileStore store;
    WriteIniDouble(store, "LAST_USED", "InputValue", row.value);
    const std::string text = store.GetString("LAST_USED", "InputValue", "");
    if (row.text != nullptr) {
      EXPECT_EQ(text, row.text) << row.value;
    }
    EXPECT_LE(text.size(), 29u) << row.value;
    EXPECT_EQ(ReadIniDouble(store, "LAST_USED", "InputValue", 7.0), row.value) << text;
  }
}

// A quantity whose section is missing from the catalogue for now shows nothing, but its saved
// choice stays in the file for the start at which the section is back.
TEST_F(Settings, ASlotWhoseUnitsCannotBeReadKeepsItsSavedChoice) {
  const std::string energySlot =
      "DimensionIndex0=5\r\nInputUnitIndex0=1\r\nInputUnitMult0=1.602176634e-19\r\n"
      "InputUnitSelected0=TRUE\r\nInputUnitScalerIndex0=1\r\n"
      "OutputUnitIndex0=0\r\nOutputUnitSelected0=TRUE\r\nOutputUnitScalerIndex0=1\r\n";
  MemoryProfileStore store(kInstalled + "[LAST_USED]\r\nInputValuePresent=TRUE\r\n" + energySlot);
  const std::string withoutEnergy = kCatalogue.substr(0, kCatalogue.find("[Energy]")) +
                                    kCatalogue.substr(kCatalogue.find("[MULTIPLIERS]"));
  Program p;
  Load(p, store, withoutEnergy.c_str());
  EXPECT_FALSE(CanConvert(p.state, false)) << "no conversion for the unreadable slot";
  ASSERT_TRUE(SaveSettings(store, p.state, p.format, WindowRect{}));
  EXPECT_NE(store.Text().find(energySlot), std::string::npos) << store.Text();

  Program back;
  Load(back, store, kCatalogue.c_str());
  EXPECT_EQ(back.state.QuantityRecords[0].Input.UnitScalerMult, 1000.0);
  EXPECT_TRUE(CanConvert(back.state, false)) << "the section is back: so is the conversion";
}

// A failed start reports once, touches no record and leaves the file as it was: the main
// window closes without saving, and a save without the marker would write nothing.
TEST_F(Settings, FailedStartUpsReportOnceAndLeaveTheFileAsItWas) {
  const std::string saved = kInstalled + "[USER_PREFERENCES]\r\nMultiDimensional=TRUE\r\n";
  const char* const settingsMissing =
      "Cannot find the program initialization file,\r\"QUANTORA.INI\", in the windows "
      "directory!\rThis file must be present for Quantora to run.\r\rPlease run the setup "
      "program again.";
  const struct {
    std::string settings;
    const char* catalogue;  // nullptr: no units data file
    LoadOutcome outcome;
    unsigned beep;
    const char* text;  // nullptr: the reader's own message
  } rows[] = {
      {"", kCatalogue.c_str(), LoadOutcome::SettingsFileMissing, kBeepHand, settingsMissing},
      {"[GENERAL]\r\nFilePresent=true\r\n", kCatalogue.c_str(), LoadOutcome::SettingsFileMissing,
       kBeepHand, settingsMissing},
      {saved, nullptr, LoadOutcome::UnitsDataFileUnreadable, kBeepDefault,
       "Cannot read the Quantora data file, \"QUANTORA.TXT\"!\rThis file must be present for "
       "Quantora to run.\r\rPlease run the setup program again."},
      {saved, "[Length]\nmeter=1\n", LoadOutcome::NoMultipliers, kBeepDefault, nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.settings + " with " + (row.catalogue ? row.catalogue : "no data file"));
    MemoryProfileStore store(row.settings);
    Program p;  // with values no load would give, to see that none is touched
    p.state.MultiDimensional = 7;
    p.state.QuantityRecords[0].DimensionIndex = 1234;
    Load(p, store, row.catalogue);
    EXPECT_EQ(p.outcome, row.outcome);
    ASSERT_EQ(p.reporter.messages.size(), 1u);  // reported once, by the failing step alone
    EXPECT_EQ(p.reporter.beeps, std::vector<unsigned>{row.beep});
    EXPECT_EQ(p.reporter.messages[0].title, "Quantora Error");
    EXPECT_EQ(p.reporter.messages[0].style, kStyleStop);
    if (row.text != nullptr) {
      EXPECT_EQ(p.reporter.messages[0].text, row.text);
    }
    EXPECT_EQ(p.state.MultiDimensional, 7);
    EXPECT_EQ(p.state.QuantityRecords[0].DimensionIndex, 1234);
    EXPECT_EQ(p.state.QuantityRecords[0].Input.LabelId, 0);
    EXPECT_EQ(store.Text(), row.settings);
    if (row.outcome == LoadOutcome::SettingsFileMissing) {
      EXPECT_FALSE(SaveSettings(store, p.state, p.format, WindowRect{}));
      EXPECT_EQ(store.Text(), row.settings);
    }
  }
}

}  // namespace
}  // namespace quantora
