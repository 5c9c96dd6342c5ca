#include "units/unit_dialog.h"

#include <gtest/gtest.h>

#include "units/text_file_test_util.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "units/recording_reporter.h"

namespace quantora {
namespace {

std::string Catalogue() { return testing::TestCatalogue(); }

enum Dimension { kLength = 0, kArea = 1, kVolume = 2, kTemperature = 3 };
enum Multiplier { kKilo = 1, kNone = 2, kCenti = 3, kMilli = 4 };

// Each test has its own catalogue in the temporary directory and the tables read from it.
class UnitDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Write(Catalogue());
    LoadDimensionLabels(reporter_, tables_, path());
    ASSERT_EQ(tables_.NumberOfDimensions, 6);
    tables_.NumberOfScalers = LoadScalers(reporter_, tables_, path());
    ASSERT_EQ(tables_.NumberOfScalers, 5);
    ASSERT_EQ(tables_.NoMultiplierIndex, kNone);
    ASSERT_TRUE(reporter_.messages.empty());
  }
  void TearDown() override { std::filesystem::remove(path_); }

  void Write(const std::string& content) { std::ofstream(path_, std::ios::binary) << content; }
  const char* path() const { return path_str_.c_str(); }

  // A slot as the start-up load leaves it: no quantity, both sides neutral.
  QuantityRecord EmptySlot() const {
    QuantityRecord record;
    record.DimensionIndex = kNoDimension;
    ResetSide(record.Input, tables_.NoMultiplierIndex);
    ResetSide(record.Output, tables_.NoMultiplierIndex);
    record.Input.LabelId = 502;
    record.Output.LabelId = 508;
    return record;
  }

  // Nothing chosen on either side: no unit, "No_Multiplier", neutral factors.
  void ExpectBothSidesNeutral(const QuantityRecord& record) const {
    for (bool input : {true, false}) {
      const UnitSelection& side = Side(record, input);
      const char* name = input ? "input" : "output";
      EXPECT_EQ(side.UnitSelected, 0) << name;
      EXPECT_EQ(side.UnitScalerIndex, tables_.NoMultiplierIndex) << name;
      EXPECT_EQ(side.UnitScalerMult, 1.0) << name;
      EXPECT_EQ(side.UnitMult, 1.0) << name;
      EXPECT_EQ(side.UnitOffset, 0.0) << name;
    }
  }

  std::filesystem::path path_ = std::filesystem::temp_directory_path() /
      ("QUANTORA-dialog-" +
       std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".TXT");
  std::string path_str_ = path_.string();
  RecordingReporter reporter_;
  UnitTables tables_;
};

TEST(UnitDialogCaption, EveryModeSideAndSlot) {
  struct Row {
    bool multi;
    bool input;
    int slot;
    const char* caption;
  } rows[] = {
      {false, true, 0, "Unit Selection Dialog - Convert From..."},
      {false, false, 0, "Unit Selection Dialog - Convert To..."},
      {false, true, 4, "Unit Selection Dialog - Convert From..."},
      {true, true, 0, "Unit Selection Dialog - Convert From Numerator..."},
      {true, false, 2, "Unit Selection Dialog - Convert To Numerator..."},
      {true, true, 3, "Unit Selection Dialog - Convert From Denominator..."},
      {true, false, 5, "Unit Selection Dialog - Convert To Denominator..."},
  };
  for (const Row& r : rows) {
    EXPECT_STREQ(UnitDialogCaption(r.multi, r.input, r.slot), r.caption) << r.multi << r.slot;
  }
}

// Closing fixes the edited side's label and factor (the square and cube rule itself is
// checked on the unit records).
TEST_F(UnitDialogTest, ClosingGivesTheLabelAndTheFactorOfTheSquareAndCubeRule) {
  struct Row {
    Dimension dimension;
    int unit;
    Multiplier multiplier;
    bool pickUnit;
    const char* label;
    double scalerMult;
  } rows[] = {
      {kArea, 0, kKilo, true, "Square kilometers", 1.0e6},
      {kVolume, 0, kCenti, true, "Cubic centimeters", 1e-6},
      {kTemperature, 1, kMilli, true, "milliCelsius ", 0.001},
      {kArea, 0, kKilo, false, "", 1000.0},  // a multiplier alone: no label, no conversion
  };
  for (const Row& r : rows) {
    for (bool input : {true, false}) {
      SCOPED_TRACE(std::string(r.label) + (input ? " (input)" : " (output)"));
      QuantityRecord record = EmptySlot();
      ASSERT_TRUE(PickQuantity(record, r.dimension, tables_, reporter_, path()));
      ASSERT_TRUE(PickMultiplier(record, input, r.multiplier, tables_));
      if (r.pickUnit) {
        ASSERT_TRUE(PickUnit(record, input, r.unit, tables_, reporter_, path()));
      }
      EXPECT_EQ(FinishSide(record, input, tables_), r.label);
      EXPECT_DOUBLE_EQ(Side(record, input).UnitScalerMult, r.scalerMult);
      // The other side is not touched by closing.
      EXPECT_EQ(Side(record, !input).UnitScalerMult, 1.0);
      EXPECT_EQ(Side(record, !input).UnitSelected, 0);
    }
  }
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(UnitDialogTest, AQuantityPickEmptiesBothSides) {
  QuantityRecord record = EmptySlot();
  ASSERT_TRUE(PickQuantity(record, kTemperature, tables_, reporter_, path()));
  for (bool input : {true, false}) {
    ASSERT_TRUE(PickMultiplier(record, input, kMilli, tables_));
    ASSERT_TRUE(PickUnit(record, input, 1, tables_, reporter_, path()));
    FinishSide(record, input, tables_);
  }
  // A unit pick reads the unit's factor and offset.
  for (bool input : {true, false}) {
    ASSERT_EQ(Side(record, input).UnitMult, 1.0);
    ASSERT_EQ(Side(record, input).UnitOffset, 273.15);
  }

  ASSERT_TRUE(PickQuantity(record, kLength, tables_, reporter_, path()));
  EXPECT_EQ(record.DimensionIndex, kLength);
  ASSERT_EQ(record.NumberOfUnits, 2);
  EXPECT_STREQ(record.UnitNames[0], "meter");
  EXPECT_STREQ(record.UnitNames[1], "foot");
  ExpectBothSidesNeutral(record);
  for (bool input : {true, false}) EXPECT_EQ(FinishSide(record, input, tables_), "");
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(UnitDialogTest, UndoQuantityResetsBothSidesAndKeepsTheUnitNames) {
  QuantityRecord record = EmptySlot();
  ASSERT_TRUE(PickQuantity(record, kArea, tables_, reporter_, path()));
  for (bool input : {true, false}) {
    ASSERT_TRUE(PickMultiplier(record, input, kKilo, tables_));
    ASSERT_TRUE(PickUnit(record, input, 1, tables_, reporter_, path()));
    FinishSide(record, input, tables_);
  }
  ASSERT_EQ(record.Output.UnitMult, 4046.8564224);

  UndoQuantity(record, tables_);
  EXPECT_EQ(record.DimensionIndex, kNoDimension);
  EXPECT_EQ(record.NumberOfUnits, 2);
  EXPECT_STREQ(record.UnitNames[0], "Square ^meters");
  EXPECT_STREQ(record.UnitNames[1], "acre");
  ExpectBothSidesNeutral(record);
  // Reopened, the slot shows no quantity, no units and "No_Multiplier".
  const UnitDialogStart start = StartOfUnitDialog(record, true, tables_, true);
  EXPECT_EQ(start.quantityRow, -1);
  EXPECT_FALSE(start.fillUnitList);
  EXPECT_EQ(start.unitRow, -1);
  EXPECT_EQ(start.multiplierRow, kNone);
  EXPECT_FALSE(start.undoEnabled);
}

TEST_F(UnitDialogTest, AfterAFailedQuantityPickAUnitPickStaysInsideTheUnitList) {
  QuantityRecord record = EmptySlot();
  ASSERT_TRUE(PickQuantity(record, kLength, tables_, reporter_, path()));
  ASSERT_EQ(record.NumberOfUnits, 2);

  // The catalogue loses its Area section while the program runs.
  Write("[Length]\nmeter=1\nfoot=0.3048\n[MULTIPLIERS]\nkilo=1000\nNo_Multiplier=1\n");
  ASSERT_TRUE(PickQuantity(record, kArea, tables_, reporter_, path()));
  ASSERT_EQ(reporter_.messages.size(), 1u);
  const std::string notFound = "ERROR: Could not find Dimension Label 'Area' in File:'" +
                               path_.filename().string() + "'!";
  EXPECT_EQ(reporter_.messages[0].text, notFound);
  EXPECT_EQ(reporter_.messages[0].title, "Quantora");
  // The Unit list still shows the former quantity's units...
  EXPECT_EQ(record.DimensionIndex, kArea);
  ASSERT_EQ(record.NumberOfUnits, 2);
  EXPECT_EQ(UnitListRow(record, 1), "foot");

  // ...a pick among them reports the missing section again, keeps the neutral factors and
  // leaves the side unchosen, so no conversion is shown with a factor that was never read...
  EXPECT_TRUE(PickUnit(record, true, 1, tables_, reporter_, path()));
  ASSERT_EQ(reporter_.messages.size(), 2u);
  EXPECT_EQ(reporter_.messages[1].text, notFound);
  EXPECT_EQ(record.Input.UnitMult, 1.0);
  EXPECT_EQ(record.Input.UnitOffset, 0.0);
  EXPECT_EQ(record.Input.UnitSelected, 0);

  // ...and a row the record does not hold is refused without reading anything.
  for (int row : {-1, 2, kMaxUnits, 65535}) {
    const UnitSelection before = record.Output;
    EXPECT_FALSE(PickUnit(record, false, row, tables_, reporter_, path())) << "row " << row;
    EXPECT_EQ(record.Output.UnitIndex, before.UnitIndex) << "row " << row;
    EXPECT_EQ(record.Output.UnitSelected, 0) << "row " << row;
    EXPECT_EQ(record.Output.UnitMult, before.UnitMult) << "row " << row;
  }
  EXPECT_EQ(reporter_.messages.size(), 2u);
  EXPECT_EQ(FinishSide(record, true, tables_), "");
}

// A unit whose factor cannot be read is not taken: the side keeps the unit it had, whole.
TEST_F(UnitDialogTest, AFailedUnitPickKeepsTheEarlierUnit) {
  const struct {
    const char* name;
    const char* catalogue;
  } rows[] = {
      {"section gone", "[MULTIPLIERS]\nkilo=1000\nNo_Multiplier=1\n"},
      {"unit line gone", "[Length]\nfoot=0.3048\n[MULTIPLIERS]\nkilo=1000\nNo_Multiplier=1\n"},
  };
  for (const auto& r : rows) {
    Write(Catalogue());
    QuantityRecord record = EmptySlot();
    ASSERT_TRUE(PickQuantity(record, kLength, tables_, reporter_, path()));
    ASSERT_TRUE(PickUnit(record, true, 1, tables_, reporter_, path()));  // foot
    Write(r.catalogue);
    PickUnit(record, true, 0, tables_, reporter_, path());  // meter
    EXPECT_EQ(record.Input.UnitIndex, 1) << r.name;
    EXPECT_EQ(record.Input.UnitMult, 0.3048) << r.name;
    EXPECT_EQ(record.Input.UnitSelected, 1) << r.name;
    EXPECT_EQ(FinishSide(record, true, tables_), "foot") << r.name;
  }
}

TEST_F(UnitDialogTest, AFailedFirstQuantityPickLeavesNoUnitToPick) {
  Write("[MULTIPLIERS]\nkilo=1000\nNo_Multiplier=1\n");
  QuantityRecord record = EmptySlot();
  ASSERT_TRUE(PickQuantity(record, kVolume, tables_, reporter_, path()));
  EXPECT_EQ(reporter_.messages.size(), 1u);
  EXPECT_EQ(record.NumberOfUnits, 0);
  EXPECT_FALSE(PickUnit(record, true, 0, tables_, reporter_, path()));
  EXPECT_EQ(record.Input.UnitSelected, 0);
  EXPECT_EQ(FinishSide(record, true, tables_), "");
  EXPECT_EQ(reporter_.messages.size(), 1u);
}

TEST_F(UnitDialogTest, PicksOutsideTheTablesChangeNothing) {
  QuantityRecord record = EmptySlot();
  for (int row : {-1, 6, kMaxDimensions}) {
    EXPECT_FALSE(PickQuantity(record, row, tables_, reporter_, path())) << "quantity row " << row;
    EXPECT_EQ(record.DimensionIndex, kNoDimension) << "quantity row " << row;
  }
  for (int row : {-1, 5, kMaxScalers}) {
    EXPECT_FALSE(PickMultiplier(record, true, row, tables_)) << "multiplier row " << row;
    EXPECT_EQ(record.Input.UnitScalerIndex, kNone) << "multiplier row " << row;
  }
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(UnitDialogTest, TheRowsSelectedWhenTheDialogOpens) {
  QuantityRecord withUnit = EmptySlot();
  ASSERT_TRUE(PickQuantity(withUnit, kArea, tables_, reporter_, path()));
  ASSERT_TRUE(PickMultiplier(withUnit, true, kCenti, tables_));
  ASSERT_TRUE(PickUnit(withUnit, true, 1, tables_, reporter_, path()));

  QuantityRecord quantityOnly = EmptySlot();
  ASSERT_TRUE(PickQuantity(quantityOnly, kVolume, tables_, reporter_, path()));

  QuantityRecord damaged = withUnit;  // indexes from a damaged settings file
  damaged.DimensionIndex = 6;  // one past the six Dimensions
  damaged.Input.UnitScalerIndex = 5;
  damaged.Input.UnitIndex = 150;

  struct Row {
    const char* name;
    const QuantityRecord* record;
    bool input;
    bool multi;
    UnitDialogStart expected;
  } rows[] = {
      {"empty slot", nullptr, true, true, {-1, false, kNone, -1, -1, false}},
      {"unit picked, input", &withUnit, true, true, {kArea, true, kCenti, 1, -1, true}},
      {"unit picked, simple mode", &withUnit, true, false, {kArea, true, kCenti, 1, -1, false}},
      {"other side of it", &withUnit, false, true, {kArea, true, kNone, -1, -1, true}},
      {"quantity only", &quantityOnly, true, true, {kVolume, true, kNone, -1, -1, true}},
      {"damaged indexes", &damaged, true, true, {-1, true, kNone, -1, -1, true}},
  };
  const QuantityRecord empty = EmptySlot();
  for (const Row& r : rows) {
    const UnitDialogStart got =
        StartOfUnitDialog(r.record ? *r.record : empty, r.input, tables_, r.multi);
    EXPECT_EQ(got.quantityRow, r.expected.quantityRow) << r.name;
    EXPECT_EQ(got.fillUnitList, r.expected.fillUnitList) << r.name;
    EXPECT_EQ(got.multiplierRow, r.expected.multiplierRow) << r.name;
    EXPECT_EQ(got.unitRow, r.expected.unitRow) << r.name;
    EXPECT_EQ(got.multiplierTopRow, r.expected.multiplierTopRow) << r.name;
    EXPECT_EQ(got.undoEnabled, r.expected.undoEnabled) << r.name;
  }
}

TEST(UnitDialogMultipliers, NoMultiplierRowAndTheScrollRow) {
  struct Row {
    std::vector<const char*> names;
    std::uint16_t noMultiplierIndex;
    int selected;
    int top;
  } rows[] = {
      {{"kilo", "No_Multiplier", "milli"}, 1, 1, -2},
      {{"No_Multiplier", "kilo"}, 0, 0, -3},
      {{"exa", "peta", "tera", "giga", "mega", "kilo", "No_Multiplier"}, 6, 6, 3},
      {{"kilo", "no_multiplier", "No_Multiplier"}, 2, 1, -1},  // the list's search ignores case
      {{"Mo_Multiplier", "No_Multiplier"}, 1, 1, -2},
      {{"kilo", "milli"}, 0, -1, -3},                          // nothing to select
  };
  for (const Row& r : rows) {
    UnitTables tables;
    for (std::size_t i = 0; i < r.names.size(); ++i) {
      std::strcpy(tables.Scalers[i].Name, r.names[i]);
      tables.Scalers[i].Mult = 1.0;
    }
    tables.NumberOfScalers = static_cast<int>(r.names.size());
    tables.NoMultiplierIndex = r.noMultiplierIndex;
    const std::string name = std::string(r.names.front()) + ".. (" +
                             std::to_string(r.names.size()) + " rows)";
    EXPECT_EQ(NoMultiplierRow(tables), r.selected) << name;
    EXPECT_EQ(MultiplierTopRow(tables), r.top) << name;
  }
}

TEST(UnitDialogTexts, ListRowsAndMessages) {
  QuantityRecord record;
  std::strcpy(record.UnitNames[0], "Square ^meters");
  std::strcpy(record.UnitNames[1], "^");
  std::strcpy(record.UnitNames[2], "Cubic ^feet; US");
  std::strcpy(record.UnitNames[3], "1234567890123456789012345678901234567890");
  record.NumberOfUnits = 4;
  struct Row {
    int unit;
    const char* text;
  } rows[] = {{0, "Square meters"}, {1, ""}, {2, "Cubic feet; US"},
              {3, "1234567890123456789012345678901234567890"}, {4, ""}, {-1, ""}};
  for (const Row& r : rows) EXPECT_EQ(UnitListRow(record, r.unit), r.text) << "unit " << r.unit;
  EXPECT_STREQ(record.UnitNames[0], "Square ^meters") << "the stored name keeps its caret";

  EXPECT_EQ(CannotAddRowMessage(DialogList::Dimension, "Area"),
            "ERROR: Cannot add string to Dimension List Box:'Area'!");
  EXPECT_EQ(CannotAddRowMessage(DialogList::Unit, "Square ^meters"),
            "ERROR: Cannot add string to Unit List Box:'Square ^meters'!");
  EXPECT_EQ(CannotAddRowMessage(DialogList::Multiplier, "kilo"),
            "ERROR: Cannot add string to Multiplier List Box:'kilo'!");
}

}  // namespace
}  // namespace quantora
