#include "units/unit_dialog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>

#include "testing/recording_reporter_test_util.h"
#include "testing/text_file_test_util.h"

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
// both sides and makes a slot the settings file held as it was the user's own, to be saved.
TEST_F(UnitDialogTest, PicksReadTheCatalogueAndClosingGivesLabelAndFactor) {
  record_.HeldAsSaved = 1;
  EXPECT_EQ(Choose(true, kTemperature, kMilli, 1), "milliCelsius ");
  EXPECT_EQ(record_.HeldAsSaved, 0);
  EXPECT_EQ(SideText(true), "1 x4 1 273.15 0.001");
  EXPECT_EQ(Choose(true, kArea, kKilo, 0), "Square kilometers");
  EXPECT_EQ(Choose(false, -1, kQuetta, 1), "quettaacre");
  EXPECT_EQ(SideText(true) + ", " + SideText(false), "0 x1 1 0 1e+06, 1 x0 4046.86 0 1e+30");
  EXPECT_EQ(UnitListRow(record_, 0), "Square meters");
  EXPECT_EQ(Choose(false, kVolume, kCenti, -1), "");  // a multiplier alone shows nothing
  EXPECT_EQ(SideText(true) + ", " + SideText(false), "- x2 1 0 1, - x3 1 0 0.01");
  EXPECT_EQ(Choose(true, -1, kCenti, 1), "Cubic centifeet");
  record_.HeldAsSaved = 1;
  UndoQuantity(record_, tables_);  // both sides reset, the unit names kept
  EXPECT_EQ(record_.HeldAsSaved, 0);
  EXPECT_EQ(SideText(true) + ", " + SideText(false) + ", " + UnitListRow(record_, 1),
            "- x2 1 0 1, - x2 1 0 1, Cubic feet; US");
  EXPECT_TRUE(reporter_.messages.empty());
}

// What the dialog selects when it opens: quantity row, whether the unit list is filled,
// multiplier row, unit row, first multiplier row shown, and whether "Undo Quantity" is enabled.
TEST_F(UnitDialogTest, TheRowsSelectedWhenTheDialogOpens) {
  const auto start = [this](const QuantityRecord& r, bool input, bool multi) {
    const UnitDialogStart s = StartOfUnitDialog(r, input, tables_, multi);
    char text[64];
    std::snprintf(text, sizeof text, "%d %d %d %d %d %d", s.quantityRow, s.fillUnitList,
                  s.multiplierRow, s.unitRow, s.multiplierTopRow, s.undoEnabled);
    return std::string(text);
  };
  EXPECT_EQ(start(record_, true, true), "-1 0 2 -1 -1 0");
  QuantityRecord damaged = record_;  // indexes from a damaged settings file
  damaged.DimensionIndex = 6;
  damaged.Output = {150, 1, 0, 1, 5, 0, 0, 0, 1};
  EXPECT_EQ(start(damaged, false, true), "-1 1 2 -1 -1 1");
  Choose(true, kArea, kCenti, 1);
  EXPECT_EQ(start(record_, true, true), "1 1 3 1 -1 1");
  EXPECT_EQ(start(record_, false, false), "1 1 2 -1 -1 0");
}

// A chosen unit's label and prefix factor where the picks above do not reach: "Volume" cubes
// the prefix at the caret, and only "Area" itself squares it. The tables are the test
// catalogue's, with Dimension 4 renamed "area", 5 "Area (land)", and the first prefix forty
// p's long.
TEST_F(UnitDialogTest, LabelsPutThePrefixBeforeTheNameOrAtTheCaret) {
  std::strcpy(tables_.DimensionLabels[4], "area");
  std::strcpy(tables_.DimensionLabels[5], "Area (land)");
  std::strcpy(tables_.Scalers[0].Name, std::string(40, 'p').c_str());
  // Dimension, unit index, the unit's name, multiplier, the label and the prefix factor.
  using Row =
      std::tuple<std::uint16_t, std::uint16_t, std::string, std::uint16_t, std::string, double>;
  const Row rows[] = {
      {2, 1, "Cubic ^feet; US", 3, "Cubic centifeet", 1e-6},
      {4, 1, "Square ^meters", 1, "Square kilometers", 1000.0},
      {5, 1, "Square ^meters", 1, "Square kilometers", 1000.0},
      {60, 1, "Square ^meters", 1, "Square kilometers", 1000.0},
      {0, 1, "gram^ ;x", 1, "gramkilo", 1000.0},
      {0, 1, std::string(40, 'n'), 0, std::string(40, 'p') + std::string(40, 'n'), 1e30},
      {0, 1, "meter", 5, "meter", 1.0},    // a prefix index past the table
      {0, 2, "meter", 1, "kilo", 1000.0},  // a unit index past the list
  };
  std::strcpy(record_.UnitNames[2], "hidden");  // past the list: never shown
  for (const auto& [dimension, unitIndex, unit, scaler, label, scalerMult] : rows) {
    record_.DimensionIndex = dimension;
    std::strcpy(record_.UnitNames[1], unit.c_str());
    record_.NumberOfUnits = 2;
    record_.Input = {unitIndex, 1.0, 0.0, 1.0, scaler, 0, 0, 0, 1};
    EXPECT_EQ(FinishSide(record_, true, tables_), label);
    EXPECT_DOUBLE_EQ(record_.Input.UnitScalerMult, scalerMult) << unit;
  }
  // The list shows all 40 characters of a name, and no row past its count.
  std::strcpy(record_.UnitNames[1], std::string(40, 'n').c_str());
  EXPECT_EQ(UnitListRow(record_, 1) + UnitListRow(record_, 2), std::string(40, 'n'));
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
