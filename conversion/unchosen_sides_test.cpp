// A side of the multi-unit compound that has no unit chosen must not change the result,
// whatever factors it still carries. The states come from the ways the program really gets
// there: the unit dialog's own steps on a small catalogue, and the start-up state of a settings
// file whose multiplier keys name the first prefix.
#include <gtest/gtest.h>

#include "units/text_file_test_util.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "conversion/conversion.h"
#include "units/catalog_file.h"
#include "units/recording_reporter.h"
#include "units/unit_dialog.h"

namespace quantora {
namespace {

std::string Catalogue() { return testing::TestCatalogue(); }

enum Dimension { kLength = 0, kTime = 4 };
enum Unit { kMeterOrSecond = 0, kFootOrHour = 1 };
enum Multiplier { kQuetta = 0, kKilo = 1, kNone = 2 };

class CompoundSides : public ::testing::Test {
 public:
  void SetUp() override { Reset(); }
  void TearDown() override { std::filesystem::remove(path_); }

  // The shared catalogue, and every slot empty as the installation settings leave it.
  void Reset() {
    Write(Catalogue());
    tables_ = UnitTables{};
    LoadDimensionLabels(reporter_, tables_, path());
    tables_.NumberOfScalers = LoadScalers(reporter_, tables_, path());
    ASSERT_EQ(tables_.NumberOfScalers, 5);
    ASSERT_EQ(tables_.NoMultiplierIndex, kNone);
    state_ = ConversionState{};
    state_.MultiDimensional = 1;
    for (QuantityRecord& record : state_.QuantityRecords) {
      record.DimensionIndex = kNoDimension;
      ResetSide(record.Input, tables_.NoMultiplierIndex);
      ResetSide(record.Output, tables_.NoMultiplierIndex);
    }
  }

  void Write(const std::string& content) { std::ofstream(path_, std::ios::binary) << content; }
  const char* path() const { return pathText_.c_str(); }

  // One opening of the unit dialog: an optional quantity pick, an optional multiplier pick, an
  // optional unit pick, then the close.
  void Dialog(int slot, bool input, int quantity, int multiplier, int unit) {
    QuantityRecord& record = state_.QuantityRecords[slot];
    if (quantity >= 0) {
      ASSERT_TRUE(PickQuantity(record, quantity, tables_, reporter_, path()));
    }
    if (multiplier >= 0) {
      ASSERT_TRUE(PickMultiplier(record, input, multiplier, tables_));
    }
    if (unit >= 0) PickUnit(record, input, unit, tables_, reporter_, path());
    FinishSide(record, input, tables_);
  }

  // kilometer per hour into meter per second, each side chosen through the dialog.
  void KilometersPerHourToMetersPerSecond() {
    Dialog(0, true, kLength, kKilo, kMeterOrSecond);
    Dialog(0, false, -1, -1, kMeterOrSecond);
    Dialog(3, true, kTime, -1, kFootOrHour);
    Dialog(3, false, -1, -1, kMeterOrSecond);
  }

  std::filesystem::path path_ =
      std::filesystem::temp_directory_path() /
      ("QUANTORA-compound-" +
       std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".TXT");
  std::string pathText_ = path_.string();
  RecordingReporter reporter_;
  UnitTables tables_;
  ConversionState state_;
};

TEST_F(CompoundSides, AnUnchosenSideLeavesTheResultAlone) {
  struct Row {
    const char* what;
    std::function<void(CompoundSides&)> act;
  } rows[] = {
      {"nothing else chosen", [](CompoundSides&) {}},
      {"a multiplier picked without a unit on an input numerator",
       [](CompoundSides& t) { t.Dialog(1, true, kLength, kKilo, -1); }},
      {"a multiplier picked without a unit on an output denominator",
       [](CompoundSides& t) { t.Dialog(5, false, kTime, kKilo, -1); }},
      {"a unit whose line is gone from the catalogue, on a side with none chosen",
       [](CompoundSides& t) {
         t.Dialog(2, true, kLength, kKilo, -1);
         const std::string catalogue = Catalogue();
         t.Write(std::string(catalogue).replace(catalogue.find("foot=0.3048\n"), 12,
                                                "yard=0.9144\n"));
         t.Dialog(2, true, -1, -1, kFootOrHour);
       }},
  };
  for (const Row& row : rows) {
    Reset();
    KilometersPerHourToMetersPerSecond();
    row.act(*this);
    EXPECT_DOUBLE_EQ(ConvertValue(state_, 36.0, true), 10.0) << row.what;
  }
}

// A settings file whose multiplier keys all say 0 leaves every side on the first multiplier,
// here a factor of 1e30; the sides the user never chose must neither scale nor overflow the result.
TEST_F(CompoundSides, FirstMultiplierOnEveryUnchosenSide) {
  for (QuantityRecord& record : state_.QuantityRecords) {
    record.Input.UnitScalerIndex = kQuetta;
    record.Output.UnitScalerIndex = kQuetta;
    record.Input.UnitScalerMult = EffectiveScalerMult(record, true, tables_);
    record.Output.UnitScalerMult = EffectiveScalerMult(record, false, tables_);
  }
  KilometersPerHourToMetersPerSecond();
  const struct {
    double value;
    double expected;
  } rows[] = {{36.0, 10.0}, {3.6e300, 1e300}, {-7.2e-300, -2e-300}};
  for (const auto& row : rows) {
    const double result = ConvertValue(state_, row.value, true);
    EXPECT_TRUE(std::isfinite(result)) << row.value;
    EXPECT_NEAR(result / row.expected, 1.0, 1e-15) << row.value;
  }
}

}  // namespace
}  // namespace quantora
