#include "settings/settings.h"

#include <gtest/gtest.h>

#include "units/text_file_test_util.h"

#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "settings/memory_profile_store_fake.h"
#include "units/recording_reporter.h"
#include "units/unit_dialog.h"

namespace quantora {
namespace {

namespace fs = std::filesystem;

std::string Catalogue() { return testing::TestCatalogue(); }
const std::string kCatalogue = Catalogue();

const char* const kInstalled = "[GENERAL]\r\nFilePresent=TRUE\r\n";

const char* const kSettingsMissingText =
    "Cannot find the program initialization file,\r\"QUANTORA.INI\", in the windows directory!\r"
    "This file must be present for Quantora to run.\r\rPlease run the setup program again.";
const char* const kDataFileUnreadableText =
    "Cannot read the Quantora data file, \"QUANTORA.TXT\"!\r"
    "This file must be present for Quantora to run.\r\rPlease run the setup program again.";

const char* const kSlotBaseNames[] = {
    "DimensionIndex",  "InputUnitIndex",    "InputUnitMult",    "InputUnitOffset",
    "InputUnitSelected", "InputUnitScalerIndex", "OutputUnitIndex", "OutputUnitMult",
    "OutputUnitOffset", "OutputUnitSelected", "OutputUnitScalerIndex"};

// A directory of its own for each test, holding the units data file it asks for.
class DataDirectory {
 public:
  DataDirectory() {
    static std::atomic<int> counter{0};
    dir_ = fs::temp_directory_path() /
           ("quantora_settings_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + "_" +
            std::to_string(counter++));
    fs::create_directories(dir_);
  }
  ~DataDirectory() {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  DataDirectory(const DataDirectory&) = delete;
  DataDirectory& operator=(const DataDirectory&) = delete;

  std::string Write(const std::string& content) const {
    const fs::path path = dir_ / "QUANTORA.TXT";
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }
  std::string Missing() const { return (dir_ / "QUANTORA.TXT").string(); }

 private:
  fs::path dir_;
};

// The program's records, as the main window holds them.
struct Program {
  ConversionState state;
  UnitTables tables;
  NumericFormat format;
  RecordingReporter reporter;
};

std::string FormatText(const NumericFormat& f) {
  return std::to_string(f.ValueDisplayType) + " " + std::to_string(f.SignificantDigits) + " " +
         std::to_string(f.PlacesRightOfDecimal) + " " + std::to_string(f.TruncateTrailingZeroes);
}

// A side as "unit index, factor, offset, selected, multiplier index, multiplier factor".
std::string SideText(const UnitSelection& s) {
  std::ostringstream text;
  text << s.UnitIndex << " " << s.UnitMult << " " << s.UnitOffset << " " << s.UnitSelected << " "
       << s.UnitScalerIndex << " " << s.UnitScalerMult;
  return text.str();
}

std::string RectText(const WindowRect& r) {
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
         " " + std::to_string(r.bottom);
}

std::unique_ptr<Program> Load(const MemoryProfileStore& store, const std::string& dataFile,
                              LoadOutcome* outcome = nullptr) {
  auto program = std::make_unique<Program>();
  const LoadOutcome result = LoadSettings(store, program->reporter, program->state,
                                          program->tables, program->format, dataFile.c_str());
  if (outcome) *outcome = result;
  return program;
}

TEST(Settings, FirstStartWithOnlyTheInstallationMarker) {
  DataDirectory dir;
  MemoryProfileStore store(kInstalled);
  LoadOutcome outcome;
  auto p = Load(store, dir.Write(kCatalogue), &outcome);
  ASSERT_EQ(outcome, LoadOutcome::Loaded);
  EXPECT_TRUE(p->reporter.messages.empty());

  EXPECT_EQ(p->state.MultiDimensional, 0);
  EXPECT_EQ(p->state.InputValue, 1.0);
  EXPECT_EQ(p->state.InputValuePresent, 0);
  EXPECT_EQ(FormatText(p->format), std::to_string(ENGINEERING) + " 5 5 0");
  EXPECT_EQ(p->tables.NumberOfDimensions, 6);
  EXPECT_EQ(p->tables.NumberOfScalers, 5);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const QuantityRecord& r = p->state.QuantityRecords[slot];
    SCOPED_TRACE("slot " + std::to_string(slot));
    EXPECT_EQ(r.DimensionIndex, 0);
    EXPECT_EQ(r.NumberOfUnits, 2);  // the units of "Length"
    EXPECT_STREQ(r.UnitNames[1], "foot");
    EXPECT_EQ(r.Input.LabelId, 502 + slot);
    EXPECT_EQ(r.Output.LabelId, 508 + slot);
    // No multiplier key: "No_Multiplier" (index 2), not the first entry "quetta".
    EXPECT_EQ(SideText(r.Input), "0 1 0 0 2 1");
    EXPECT_EQ(SideText(r.Output), "0 1 0 0 2 1");
  }
  EXPECT_EQ(RectText(TransferWindowRect(kLoadWindowRect, store)), "10 10 200 200");
  EXPECT_EQ(store.Text(), kInstalled);  // the load writes nothing
}

TEST(Settings, FirstSaveGrowsTheSectionsAndKeysInWriteOrder) {
  DataDirectory dir;
  MemoryProfileStore store(kInstalled);
  auto p = Load(store, dir.Write(kCatalogue));
  ASSERT_TRUE(SaveSettings(store, p->state, p->format, WindowRect{4, 5, 6, 7}));

  EXPECT_EQ(store.SectionNames(),
            (std::vector<std::string>{"GENERAL", "Window", "LAST_USED", "USER_PREFERENCES"}));
  EXPECT_EQ(store.KeyNames("GENERAL"), (std::vector<std::string>{"FilePresent"}));
  EXPECT_EQ(store.KeyNames("Window"),
            (std::vector<std::string>{"normleft", "normright", "normtop", "normbottom"}));
  std::vector<std::string> lastUsed = {"InputValue", "InputValuePresent"};
  for (int slot = 0; slot < kSlotCount; ++slot) {
    for (const char* base : kSlotBaseNames) lastUsed.push_back(base + std::to_string(slot));
  }
  EXPECT_EQ(store.KeyNames("LAST_USED"), lastUsed);
  EXPECT_EQ(store.KeyNames("USER_PREFERENCES"),
            (std::vector<std::string>{"ValueDisplayType", "SignificantDigits",
                                      "PlacesRightOfDecimal", "TruncateTrailingZeroes",
                                      "MultiDimensional"}));
  EXPECT_EQ(RectText(TransferWindowRect(kLoadWindowRect, store)), "4 5 6 7");
  EXPECT_EQ(store.GetString("LAST_USED", "InputValue", ""), "1.000000000");
  EXPECT_EQ(store.GetString("LAST_USED", "InputValuePresent", ""), "FALSE");
  EXPECT_EQ(store.GetString("USER_PREFERENCES", "ValueDisplayType", ""), "ENGINEERING");
}

// Distinct values in every field that the file holds, so that a key read into or written from
// the wrong field shows up.
void FillDistinct(Program& p) {
  p.state.MultiDimensional = 1;
  p.state.InputValue = -1234.5678;
  p.state.InputValuePresent = 1;
  p.format.ValueDisplayType = FIXED_DECIMAL;
  p.format.SignificantDigits = 7;
  p.format.PlacesRightOfDecimal = 3;
  p.format.TruncateTrailingZeroes = 1;
  const std::uint16_t dimensions[kSlotCount] = {0, 1, 2, kNoDimension, 2, 1};
  for (int slot = 0; slot < kSlotCount; ++slot) {
    QuantityRecord& r = p.state.QuantityRecords[slot];
    r.DimensionIndex = dimensions[slot];
    const bool hasQuantity = dimensions[slot] != kNoDimension;
    r.Input.UnitIndex = static_cast<std::uint16_t>(slot % 2);  // within the two units
    r.Input.UnitMult = 10.5 + slot;
    r.Input.UnitOffset = 20.25 + slot;
    r.Input.UnitSelected = hasQuantity ? 1 : 0;
    r.Input.UnitScalerIndex = static_cast<std::uint16_t>(slot % 3);
    r.Output.UnitIndex = static_cast<std::uint16_t>(100 + slot);  // unselected: kept as is
    r.Output.UnitMult = 30.125 + slot;
    r.Output.UnitOffset = -40.5 - slot;
    r.Output.UnitSelected = 0;
    r.Output.UnitScalerIndex = static_cast<std::uint16_t>((slot + 1) % 3);
  }
}

TEST(Settings, EveryKeyRoundTripsIntoItsOwnField) {
  DataDirectory dir;
  const std::string data = dir.Write(kCatalogue);
  MemoryProfileStore store(kInstalled);
  Program saved;
  FillDistinct(saved);
  ASSERT_TRUE(SaveSettings(store, saved.state, saved.format, WindowRect{-8, 3, 1400, 900}));

  LoadOutcome outcome;
  auto p = Load(store, data, &outcome);
  ASSERT_EQ(outcome, LoadOutcome::Loaded);
  EXPECT_TRUE(p->reporter.messages.empty());
  EXPECT_EQ(p->state.MultiDimensional, 1);
  EXPECT_EQ(p->state.InputValue, -1234.5678);
  EXPECT_EQ(p->state.InputValuePresent, 1);
  EXPECT_EQ(FormatText(p->format), std::to_string(FIXED_DECIMAL) + " 7 3 1");
  for (int slot = 0; slot < kSlotCount; ++slot) {
    SCOPED_TRACE("slot " + std::to_string(slot));
    const QuantityRecord& want = saved.state.QuantityRecords[slot];
    const QuantityRecord& got = p->state.QuantityRecords[slot];
    EXPECT_EQ(got.DimensionIndex, want.DimensionIndex);
    for (bool input : {true, false}) {
      UnitSelection w = Side(want, input);
      w.UnitScalerMult = Side(got, input).UnitScalerMult;  // derived on loading, checked below
      EXPECT_EQ(SideText(Side(got, input)), SideText(w)) << (input ? "input" : "output");
    }
  }
  // The multiplier factor follows from the index once the unit names are known: slot 0 is
  // "meter" under "quetta" (index 0), slots 1 and 5 are "acre" (unit 1) under "kilo" (index 1)
  // and "No_Multiplier" (index 5 % 3 = 2).
  EXPECT_EQ(p->state.QuantityRecords[0].Input.UnitScalerMult, 1e30);
  EXPECT_EQ(p->state.QuantityRecords[1].Input.UnitScalerMult, 1000.0);
  EXPECT_EQ(p->state.QuantityRecords[5].Input.UnitScalerMult, 1.0);
  EXPECT_EQ(p->state.QuantityRecords[3].NumberOfUnits, 0);  // no quantity, no unit names

  const WindowRect rect = TransferWindowRect(kLoadWindowRect, store);
  EXPECT_EQ(RectText(rect), "-8 3 1400 900");

  // A second save of the loaded state leaves the file exactly as the first one wrote it.
  const std::string first = store.Text();
  ASSERT_TRUE(SaveSettings(store, p->state, p->format, rect));
  EXPECT_EQ(store.Text(), first);
}

TEST(Settings, MarkedAreaUnitScalesWithTheSquareOfItsMultiplier) {
  DataDirectory dir;
  MemoryProfileStore store(std::string(kInstalled) +
                           "[LAST_USED]\r\nDimensionIndex2=1\r\nInputUnitIndex2=0\r\n"
                           "InputUnitSelected2=TRUE\r\nInputUnitScalerIndex2=1\r\n");
  auto p = Load(store, dir.Write(kCatalogue));
  EXPECT_EQ(p->state.QuantityRecords[2].Input.UnitScalerMult, 1.0e6);
}

// One key in the file, and what the program holds after the load.
struct RuleRow {
  const char* section;
  const char* key;
  const char* text;
  std::function<long(const Program&)> observe;
  long expected;
};

TEST(Settings, LoadRules) {
  auto digits = [](const Program& p) { return long{p.format.SignificantDigits}; };
  auto places = [](const Program& p) { return long{p.format.PlacesRightOfDecimal}; };
  auto notation = [](const Program& p) { return long{p.format.ValueDisplayType}; };
  auto dimension = [](const Program& p) { return long{p.state.QuantityRecords[4].DimensionIndex}; };
  auto mode = [](const Program& p) { return long{p.state.MultiDimensional}; };
  auto scaler = [](const Program& p) {
    return long{p.state.QuantityRecords[4].Input.UnitScalerIndex};
  };
  auto present = [](const Program& p) { return long{p.state.InputValuePresent}; };
  const RuleRow rows[] = {
      {"USER_PREFERENCES", "SignificantDigits", "0", digits, 1},
      {"USER_PREFERENCES", "SignificantDigits", "9", digits, 1},
      {"USER_PREFERENCES", "SignificantDigits", "-3", digits, 1},
      {"USER_PREFERENCES", "SignificantDigits", "8", digits, 8},
      {"USER_PREFERENCES", "SignificantDigits", "1", digits, 1},
      {"USER_PREFERENCES", "SignificantDigits", "6 digits", digits, 6},
      {"USER_PREFERENCES", "PlacesRightOfDecimal", "9", places, 0},
      {"USER_PREFERENCES", "PlacesRightOfDecimal", "0", places, 0},
      {"USER_PREFERENCES", "PlacesRightOfDecimal", "8", places, 8},
      {"USER_PREFERENCES", "PlacesRightOfDecimal", "-1", places, 0},
      {"USER_PREFERENCES", "ValueDisplayType", "SCIENTIFIC", notation, SCIENTIFIC},
      {"USER_PREFERENCES", "ValueDisplayType", "FIXED_DECIMAL", notation, FIXED_DECIMAL},
      {"USER_PREFERENCES", "ValueDisplayType", "scientific", notation, ENGINEERING},
      {"USER_PREFERENCES", "ValueDisplayType", "SCIENTIFIC2", notation, ENGINEERING},
      {"USER_PREFERENCES", "MultiDimensional", "TRUE", mode, 1},
      {"USER_PREFERENCES", "MultiDimensional", "true", mode, 0},
      {"USER_PREFERENCES", "MultiDimensional", "1", mode, 0},
      {"LAST_USED", "InputValuePresent", "Yes", present, 0},
      {"LAST_USED", "InputValuePresent", "TRUE", present, 1},
      {"LAST_USED", "DimensionIndex4", "100", dimension, 100},
      {"LAST_USED", "DimensionIndex4", "101", dimension, kNoDimension},
      {"LAST_USED", "DimensionIndex4", "65636", dimension, 100},  // low 16 bits: 100
      {"LAST_USED", "DimensionIndex4", "65535", dimension, kNoDimension},
      {"LAST_USED", "DimensionIndex4", "9999", dimension, kNoDimension},
      {"LAST_USED", "DimensionIndex4", "2", dimension, 2},
      // A multiplier index in the file is taken as it stands, also 0 ("quetta").
      {"LAST_USED", "InputUnitScalerIndex4", "0", scaler, 0},
      {"LAST_USED", "InputUnitScalerIndex4", "2", scaler, 2},
  };
  DataDirectory dir;
  const std::string data = dir.Write(kCatalogue);
  for (const RuleRow& row : rows) {
    MemoryProfileStore store(std::string(kInstalled) + "[" + row.section + "]\r\n" + row.key +
                             "=" + row.text + "\r\n");
    LoadOutcome outcome;
    auto p = Load(store, data, &outcome);
    EXPECT_EQ(outcome, LoadOutcome::Loaded) << row.key << "=" << row.text;
    EXPECT_EQ(row.observe(*p), row.expected) << row.key << "=" << row.text;
  }
}

TEST(Settings, UnknownNotationIsSavedBackAsEngineering) {
  DataDirectory dir;
  MemoryProfileStore store(std::string(kInstalled) +
                           "[USER_PREFERENCES]\r\nValueDisplayType=scientific\r\n");
  auto p = Load(store, dir.Write(kCatalogue));
  ASSERT_TRUE(SaveSettings(store, p->state, p->format, WindowRect{}));
  EXPECT_EQ(store.GetString("USER_PREFERENCES", "ValueDisplayType", ""), "ENGINEERING");
}

TEST(Settings, BooleanEncoding) {
  struct Row {
    std::int32_t value;
    const char* text;
  } rows[] = {{1, "TRUE"}, {0, "FALSE"}, {2, "FALSE"}, {-1, "FALSE"}};
  for (const Row& row : rows) {
    MemoryProfileStore store(kInstalled);
    Program p;
    p.state.InputValuePresent = row.value;
    p.format.TruncateTrailingZeroes = row.value;
    p.state.QuantityRecords[5].Output.UnitSelected = row.value;
    ASSERT_TRUE(SaveSettings(store, p.state, p.format, WindowRect{}));
    EXPECT_EQ(store.GetString("LAST_USED", "InputValuePresent", ""), row.text) << row.value;
    EXPECT_EQ(store.GetString("USER_PREFERENCES", "TruncateTrailingZeroes", ""), row.text)
        << row.value;
    EXPECT_EQ(store.GetString("LAST_USED", "OutputUnitSelected5", ""), row.text) << row.value;
  }
}

TEST(Settings, RealsKeepTheirValue) {
  struct Row {
    double value;
    const char* text;  // nullptr: any text, as long as it reads back exactly
  } rows[] = {
      {2.5, "2.500000000"},
      {0.1, "0.100000000"},
      {1.0, "1.000000000"},
      {-273.15, "-273.150000000"},
      {1234567890123456789.0, "1234567890123456768.000000000"},  // 29 characters: fits
      {1.602176634e-19, "1.602176634e-19"},  // nine decimals would say 0.000000000
      {0.0000000001, "1e-10"},
      {1e30, "1e+30"},                        // nine decimals would take 41 characters
      {-1e29, "-1e+29"},
      {1.0 / 3.0, "0.3333333333333333"},
      {std::ldexp(1.0, -1074), nullptr},      // the smallest double
      {1.7976931348623157e308, nullptr},      // the largest
      {-HUGE_VAL, nullptr},
  };
  for (const Row& row : rows) {
    MemoryProfileStore store;
    WriteIniDouble(store, "LAST_USED", "InputValue", row.value);
    const std::string text = store.GetString("LAST_USED", "InputValue", "");
    if (row.text) {
      EXPECT_EQ(text, row.text) << row.value;
    }
    EXPECT_LE(text.size(), 29u) << row.value;
    EXPECT_EQ(ReadIniDouble(store, "LAST_USED", "InputValue", 7.0), row.value) << text;
  }
}

TEST(Settings, RealsWrittenWithNineDecimalsLoadAsBefore) {
  struct Row {
    const char* text;
    double expected;
  } rows[] = {
      {"0.000000002", 0.000000002},
      {"0.000000000", 0.0},
      {"2.500000000", 2.5},
      {"-0.304800000", -0.3048},
      {"1000000000000000000000000000000.000000000", 1e28},  // only 29 characters come back
      {"  3.25xyz", 3.25},
      {"abc", 0.0},
  };
  for (const Row& row : rows) {
    MemoryProfileStore store(std::string("[LAST_USED]\r\nInputUnitMult0=") + row.text + "\r\n");
    EXPECT_EQ(ReadIniDouble(store, "LAST_USED", "InputUnitMult0", 1.0), row.expected) << row.text;
  }
  EXPECT_EQ(ReadIniDouble(MemoryProfileStore(), "LAST_USED", "InputUnitMult0", 1.0), 1.0);
}

// Indexes that lie outside their tables never reach past them.
TEST(Settings, OutOfTableIndexes) {
  DataDirectory dir;
  const std::string data = dir.Write(kCatalogue);
  MemoryProfileStore store(std::string(kInstalled) +
                           "[LAST_USED]\r\n"
                           // slot 0 "Length" (2 units): multiplier indexes 5 and 65535
                           "DimensionIndex0=0\r\n"
                           "InputUnitIndex0=1\r\nInputUnitSelected0=TRUE\r\n"
                           "InputUnitScalerIndex0=5\r\n"
                           "OutputUnitIndex0=0\r\nOutputUnitSelected0=TRUE\r\n"
                           "OutputUnitScalerIndex0=65535\r\n"
                           // slot 1 "Length": selected input unit 2 is past the list; the
                           // unselected output side keeps its index 150
                           "DimensionIndex1=0\r\n"
                           "InputUnitIndex1=2\r\nInputUnitMult1=0.3048\r\n"
                           "InputUnitOffset1=5\r\nInputUnitSelected1=TRUE\r\n"
                           "InputUnitScalerIndex1=4\r\n"
                           "OutputUnitIndex1=150\r\nOutputUnitScalerIndex1=4\r\n"
                           // slot 2: Dimension 60 names no label
                           "DimensionIndex2=60\r\n"
                           "InputUnitIndex2=0\r\nInputUnitSelected2=TRUE\r\n"
                           // slot 3: Dimension 6, one past the six of the catalogue
                           "DimensionIndex3=6\r\n"
                           "OutputUnitIndex3=0\r\nOutputUnitSelected3=TRUE\r\n"
                           // slot 4: no quantity, yet a selected side
                           "DimensionIndex4=9999\r\n"
                           "InputUnitIndex4=0\r\nInputUnitSelected4=TRUE\r\n"
                           "InputUnitMult4=42\r\n");
  LoadOutcome outcome;
  auto p = Load(store, data, &outcome);
  ASSERT_EQ(outcome, LoadOutcome::Loaded);
  const UnitTables& t = p->tables;
  ASSERT_EQ(t.NoMultiplierIndex, 2);

  // Slot 0: the multipliers fall back to No_Multiplier; the unit itself is fine.
  for (const UnitSelection* side : {&p->state.QuantityRecords[0].Input,
                                    &p->state.QuantityRecords[0].Output}) {
    EXPECT_EQ(side->UnitScalerIndex, t.NoMultiplierIndex);
    EXPECT_EQ(side->UnitScalerMult, 1.0);
    EXPECT_EQ(side->UnitSelected, 1);
  }
  // Slot 1: the selected input side is reset whole; the unselected output side is kept.
  EXPECT_EQ(SideText(p->state.QuantityRecords[1].Input), "0 1 0 0 2 1");
  EXPECT_EQ(SideText(p->state.QuantityRecords[1].Output), "150 1 0 0 4 0.001");

  for (int slot : {2, 3, 4}) {
    SCOPED_TRACE("slot " + std::to_string(slot));
    const QuantityRecord& r = p->state.QuantityRecords[slot];
    EXPECT_EQ(r.NumberOfUnits, 0);
    EXPECT_EQ(r.Input.UnitSelected, 0);
    EXPECT_EQ(r.Output.UnitSelected, 0);
    EXPECT_EQ(r.Input.UnitMult, 1.0);
  }
  EXPECT_EQ(p->state.QuantityRecords[2].DimensionIndex, 60);  // kept as the file says
  EXPECT_EQ(p->state.QuantityRecords[3].DimensionIndex, 6);
  EXPECT_EQ(DimensionLabelOf(t, 60), nullptr);
  EXPECT_EQ(DimensionLabelOf(t, 6), nullptr);

  // The two slots whose Dimension has no section get the reader's not-found message; the
  // slot without a quantity gets none.
  ASSERT_EQ(p->reporter.messages.size(), 2u);
  for (const auto& m : p->reporter.messages) {
    EXPECT_EQ(m.title, "Quantora");
    EXPECT_EQ(m.text.rfind("ERROR: Could not find Dimension Label", 0), 0u) << m.text;
  }
}

// A quantity whose section is missing from the catalogue for now shows nothing, but its saved
// choice stays in the file for the start at which the section is back; a unit past a list
// that was read is still dropped.
TEST(Settings, ASlotWhoseUnitsCannotBeReadKeepsItsSavedChoice) {
  const std::string energySlot =
      "DimensionIndex0=5\r\nInputUnitIndex0=1\r\nInputUnitMult0=1.602176634e-19\r\n"
      "InputUnitSelected0=TRUE\r\nInputUnitScalerIndex0=1\r\n"
      "OutputUnitIndex0=0\r\nOutputUnitSelected0=TRUE\r\nOutputUnitScalerIndex0=1\r\n";
  MemoryProfileStore store(std::string(kInstalled) + "[LAST_USED]\r\nInputValuePresent=TRUE\r\n" +
                           energySlot +
                           "DimensionIndex1=0\r\nInputUnitIndex1=7\r\nInputUnitSelected1=TRUE\r\n");
  DataDirectory dir;
  const std::string withoutEnergy = kCatalogue.substr(0, kCatalogue.find("[Energy]")) +
                                    kCatalogue.substr(kCatalogue.find("[MULTIPLIERS]"));
  auto p = Load(store, dir.Write(withoutEnergy));
  EXPECT_FALSE(CanConvert(p->state, false)) << "no conversion for the unreadable slot";
  EXPECT_EQ(p->state.QuantityRecords[1].Input.UnitSelected, 0) << "unit 7 of two is dropped";
  ASSERT_TRUE(SaveSettings(store, p->state, p->format, WindowRect{}));
  EXPECT_NE(store.Text().find(energySlot), std::string::npos) << store.Text();
  EXPECT_EQ(store.GetString("LAST_USED", "InputUnitSelected1", ""), "FALSE");

  // The section is back: so is the conversion.
  auto q = Load(store, dir.Write(kCatalogue));
  EXPECT_EQ(SideText(q->state.QuantityRecords[0].Input), "1 1.60218e-19 0 1 1 1000");
  EXPECT_TRUE(CanConvert(q->state, false));

  // A quantity the user picks for a held slot is saved like any other choice.
  dir.Write(withoutEnergy);
  for (bool undo : {false, true}) {
    MemoryProfileStore held(store.Text());
    auto r = Load(held, dir.Missing());
    ASSERT_FALSE(CanConvert(r->state, false));
    if (undo) {
      UndoQuantity(r->state.QuantityRecords[0], r->tables);
    } else {
      PickQuantity(r->state.QuantityRecords[0], 1, r->tables, r->reporter, dir.Missing().c_str());
    }
    ASSERT_TRUE(SaveSettings(held, r->state, r->format, WindowRect{}));
    EXPECT_EQ(held.GetString("LAST_USED", "DimensionIndex0", ""), undo ? "9999" : "1");
  }
}

// The records the failed start must not touch, with values no load would produce.
void Poison(Program& p) {
  p.state.MultiDimensional = 7;
  p.state.InputValue = 99.0;
  p.state.QuantityRecords[0].DimensionIndex = 1234;
  p.format.SignificantDigits = 77;
}

void ExpectUntouched(const Program& p) {
  EXPECT_EQ(p.state.MultiDimensional, 7);
  EXPECT_EQ(p.state.InputValue, 99.0);
  EXPECT_EQ(p.state.QuantityRecords[0].DimensionIndex, 1234);
  EXPECT_EQ(p.state.QuantityRecords[0].Input.LabelId, 0);
  EXPECT_EQ(p.format.SignificantDigits, 77);
}

TEST(Settings, FailedStartUpsReportOnceAndLeaveTheFileAsItWas) {
  const std::string saved =
      "[GENERAL]\r\nFilePresent=TRUE\r\n"
      "[LAST_USED]\r\nInputValue=5.000000000\r\nDimensionIndex0=0\r\nDimensionIndex1=1\r\n"
      "DimensionIndex2=2\r\n[USER_PREFERENCES]\r\nMultiDimensional=TRUE\r\n";
  struct Row {
    const char* name;
    std::string settings;
    const char* catalogue;  // nullptr: no units data file
    LoadOutcome outcome;
    unsigned beep;
    const char* text;  // nullptr: the reader's own message
  } rows[] = {
      {"no settings file", "", kCatalogue.c_str(), LoadOutcome::SettingsFileMissing, kBeepHand,
       kSettingsMissingText},
      {"marker in lower case",
       "[GENERAL]\r\nFilePresent=true\r\n[USER_PREFERENCES]\r\nMultiDimensional=TRUE\r\n",
       kCatalogue.c_str(), LoadOutcome::SettingsFileMissing, kBeepHand, kSettingsMissingText},
      {"no marker", "[USER_PREFERENCES]\r\nMultiDimensional=TRUE\r\n", nullptr,
       LoadOutcome::SettingsFileMissing, kBeepHand, kSettingsMissingText},
      {"no units data file", saved, nullptr, LoadOutcome::UnitsDataFileUnreadable, kBeepDefault,
       kDataFileUnreadableText},
      {"no multipliers", saved, "[Length]\nmeter=1\n", LoadOutcome::NoMultipliers, kBeepDefault,
       nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    DataDirectory dir;
    const std::string data = row.catalogue ? dir.Write(row.catalogue) : dir.Missing();
    MemoryProfileStore store(row.settings);
    Program p;
    Poison(p);
    const LoadOutcome outcome =
        LoadSettings(store, p.reporter, p.state, p.tables, p.format, data.c_str());
    EXPECT_EQ(outcome, row.outcome);
    ASSERT_EQ(p.reporter.messages.size(), 1u);  // reported once, by the failing step alone
    EXPECT_EQ(p.reporter.beeps, std::vector<unsigned>{row.beep});
    EXPECT_EQ(p.reporter.messages[0].title, "Quantora Error");
    EXPECT_EQ(p.reporter.messages[0].style, kStyleStop);
    if (row.text) {
      EXPECT_EQ(p.reporter.messages[0].text, row.text);
    }
    ExpectUntouched(p);
    // The main window closes without saving: the file stays byte for byte as it was.
    EXPECT_EQ(store.Text(), row.settings);
  }
}

TEST(Settings, NothingIsSavedOnceTheMarkerIsGone) {
  DataDirectory dir;
  MemoryProfileStore store(kInstalled);
  auto p = Load(store, dir.Write(kCatalogue));
  p->state.InputValue = 3.0;
  for (const char* edited : {"[GENERAL]\r\nFilePresent=FALSE\r\n", "[GENERAL]\r\n", ""}) {
    store.SetText(edited);
    EXPECT_FALSE(SaveSettings(store, p->state, p->format, WindowRect{1, 2, 3, 4})) << edited;
    EXPECT_EQ(store.Text(), edited);
  }
}

TEST(Settings, WindowRectangleKeysAndOrder) {
  MemoryProfileStore store("[Window]\r\nnormtop=-32000\r\n");
  EXPECT_EQ(LoadWindowRect(store).top, -32000);
  EXPECT_EQ(LoadWindowRect(store).left, 10);

  const WindowRect minimised{-32000, -32000, -31840, -31972};
  const WindowRect written = TransferWindowRect(kSaveWindowRect, store, minimised);
  EXPECT_EQ(written.left, minimised.left);
  EXPECT_EQ(store.Text(),
            "[Window]\r\nnormtop=-32000\r\nnormleft=-32000\r\nnormright=-31840\r\n"
            "normbottom=-31972\r\n");
  EXPECT_EQ(RectText(TransferWindowRect(kLoadWindowRect, store)), "-32000 -32000 -31840 -31972");
}

}  // namespace
}  // namespace quantora
