// The settings file that installation puts in place, loaded with the shipped catalogue: the
// first start must begin with no quantity chosen and every multiplier at "No_Multiplier", so
// that no unit picked without touching the Multiplier list gets a stray prefix.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "settings/memory_profile_store_fake.h"
#include "settings/settings.h"
#include "units/recording_reporter.h"

namespace quantora {
namespace {

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(InstallationSettingsFile, StartsWithNoQuantityAndNoMultiplier) {
  const std::string source = QUANTORA_SOURCE_DIR;
  const std::string ini = ReadWhole(source + "/data/QUANTORA.INI");
  ASSERT_FALSE(ini.empty());
  MemoryProfileStore store(ini);
  RecordingReporter reporter;
  ConversionState state;
  UnitTables tables;
  NumericFormat format;
  const std::string catalogue = source + "/data/QUANTORA.TXT";
  ASSERT_EQ(LoadSettings(store, reporter, state, tables, format, catalogue.c_str()),
            LoadOutcome::Loaded);
  EXPECT_TRUE(reporter.messages.empty());
  EXPECT_STREQ(tables.Scalers[tables.NoMultiplierIndex].Name, "No_Multiplier");
  EXPECT_EQ(state.MultiDimensional, 0);
  EXPECT_EQ(state.InputValuePresent, 0);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const QuantityRecord& record = state.QuantityRecords[slot];
    EXPECT_EQ(record.DimensionIndex, kNoDimension) << slot;
    for (bool input : {true, false}) {
      EXPECT_EQ(Side(record, input).UnitScalerIndex, tables.NoMultiplierIndex) << slot;
      EXPECT_EQ(Side(record, input).UnitScalerMult, 1.0) << slot;
      EXPECT_EQ(Side(record, input).UnitSelected, 0) << slot;
    }
  }
  EXPECT_EQ(format.ValueDisplayType, ENGINEERING);
  EXPECT_EQ(format.SignificantDigits, 5);
}

}  // namespace
}  // namespace quantora
