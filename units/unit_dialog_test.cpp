#include "units/unit_dialog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>

#include "units/recording_reporter.h"
#include "units/text_file_test_util.h"

namespace quantora {
namespace {

enum { kLength = 0, kArea = 1, kVolume = 2, kTemperature = 3 };
enum { kQuetta = 0, kKilo = 1, kNone = 2, kCenti = 3, kMilli = 4 };

// The dialog on a slot as the start-up leaves it, reading the shared test catalogue.
class UnitDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadDimensionLabels(reporter_, tables_, path_);
    tables_.NumberOfScalers = LoadScalers(reporter_, tables_, path_);
    record_.DimensionIndex = kNoDimension;
    ResetSide(record_.Input, tables_.NoMultiplierIndex);
    ResetSide(record_.Output, tables_.NoMultiplierIndex);
  }
  // One opening of the dialog on a side: a quantity, a multiplier and a unit, each when >= 0.
  std::string Choose(bool input, int quantity, int multiplier, int unit) {
    EXPECT_TRUE(quantity < 0 || PickQuantity(record_, quantity, tables_, reporter_, path_));
    EXPECT_TRUE(multiplier < 0 || PickMultiplier(record_, input, multiplier, tables_));
    EXPECT_TRUE(unit < 0 || PickUnit(record_, input, unit, tables_, reporter_, path_));
    return FinishSide(record_, input, tables_);
  }
  // A side's unit ("-" when none is chosen), multiplier, factor, offset and prefix factor.
  std::string SideText(bool input) const {
    const UnitSelection& s = Side(record_, input);
    char text[128];
    std::snprintf(text, sizeof text, "%s x%d %g %g %g",
                  s.UnitSelected ? std::to_string(s.UnitIndex).c_str() : "-", s.UnitScalerIndex,
                  s.UnitMult, s.UnitOffset, s.UnitScalerMult);
    return text;
  }

  const char* path_ = testing::kTestCataloguePath;
  RecordingReporter reporter_;
  UnitTables tables_;
  QuantityRecord record_;
};

TEST(UnitDialogCaption, ModeSideAndSlot) {
  const std::string from = "Unit Selection Dialog - Convert From",
                    to = "Unit Selection Dialog - Convert To";
  EXPECT_EQ(UnitDialogCaption(false, true, 4), from + "...");
  EXPECT_EQ(UnitDialogCaption(false, false, 0), to + "...");
  EXPECT_EQ(UnitDialogCaption(true, false, 2), to + " Numerator...");
  EXPECT_EQ(UnitDialogCaption(true, true, 3), from + " Denominator...");
}

// Closing gives the label and the prefix factor; a new quantity or "Undo Quantity" empties
// both sides.
TEST_F(UnitDialogTest, PicksReadTheCatalogueAndClosingGivesLabelAndFactor) {
  EXPECT_EQ(Choose(true, kTemperature, kMilli, 1), "milliCelsius ");
  EXPECT_EQ(SideText(true), "1 x4 1 273.15 0.001");
  EXPECT_EQ(Choose(true, kArea, kKilo, 0), "Square kilometers");
  EXPECT_EQ(Choose(false, -1, kQuetta, 1), "quettaacre");
  EXPECT_EQ(SideText(true) + ", " + SideText(false), "0 x1 1 0 1e+06, 1 x0 4046.86 0 1e+30");
  EXPECT_EQ(UnitListRow(record_, 0), "Square meters");
  EXPECT_EQ(Choose(false, kVolume, kCenti, -1), "");  // a multiplier alone shows nothing
  EXPECT_EQ(SideText(true) + ", " + SideText(false), "- x2 1 0 1, - x3 1 0 0.01");
  EXPECT_EQ(Choose(true, -1, kCenti, 1), "Cubic centifeet");
  UndoQuantity(record_, tables_);
  EXPECT_EQ(SideText(true) + ", " + SideText(false), "- x2 1 0 1, - x2 1 0 1");
  EXPECT_EQ(record_.NumberOfUnits, 2);
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(UnitDialogTest, TheRowsSelectedWhenTheDialogOpens) {
  const QuantityRecord empty = record_;
  Choose(true, kArea, kCenti, 1);
  QuantityRecord damaged = record_;  // indexes from a damaged settings file
  damaged.DimensionIndex = 6;
  damaged.Input.UnitScalerIndex = 5;
  damaged.Input.UnitIndex = 150;
  const struct {
    const QuantityRecord& record;
    bool input, multi;
    UnitDialogStart want;
  } rows[] = {
      {empty, true, true, {-1, false, kNone, -1, -1, false}},
      {record_, true, true, {kArea, true, kCenti, 1, -1, true}},
      {record_, false, false, {kArea, true, kNone, -1, -1, false}},
      {damaged, true, true, {-1, true, kNone, -1, -1, true}},
  };
  for (const auto& [record, input, multi, want] : rows) {
    const UnitDialogStart got = StartOfUnitDialog(record, input, tables_, multi);
    EXPECT_EQ(std::tie(got.quantityRow, got.fillUnitList, got.multiplierRow, got.unitRow,
                       got.multiplierTopRow, got.undoEnabled),
              std::tie(want.quantityRow, want.fillUnitList, want.multiplierRow, want.unitRow,
                       want.multiplierTopRow, want.undoEnabled));
  }
}

// A catalogue that cannot be read any more: the quantity keeps its former unit list, and no
// side takes a factor that was never read. Rows outside the lists are refused.
TEST_F(UnitDialogTest, ReadsThatFailKeepWhatTheSlotHad) {
  Choose(true, kLength, -1, 1);
  path_ = "missing/QUANTORA.TXT";
  EXPECT_EQ(Choose(true, -1, -1, 0), "foot");
  EXPECT_EQ(SideText(true), "1 x2 0.3048 0 1");
  EXPECT_EQ(Choose(false, kArea, -1, -1), "");
  EXPECT_EQ(UnitListRow(record_, 1), "foot");
  EXPECT_TRUE(PickUnit(record_, false, 1, tables_, reporter_, path_));
  EXPECT_EQ(SideText(false), "- x2 1 0 1");
  EXPECT_FALSE(PickUnit(record_, false, 2, tables_, reporter_, path_));
  EXPECT_FALSE(PickQuantity(record_, 6, tables_, reporter_, path_));
  EXPECT_FALSE(PickMultiplier(record_, true, 5, tables_));
  EXPECT_EQ(record_.DimensionIndex, kArea);
  EXPECT_EQ(reporter_.messages.size(), 3u);
  EXPECT_EQ(CannotAddRowMessage(DialogList::Unit, "acre"),
            "ERROR: Cannot add string to Unit List Box:'acre'!");
}

}  // namespace
}  // namespace quantora
