// The whole fuzz input is the settings file, as a user may leave it after editing it by hand.
// Loaded through the in-memory store (which follows the platform's profile rules) against the
// catalogue the program ships, every index and count must end up inside its table, and a save
// followed by a load must give the very same state.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "conversion/conversion.h"
#include "numbers/number_format.h"
#include "settings/settings.h"
#include "testing/memory_profile_store_test_fake.h"
#include "units/catalog_file.h"
#include "units/quantity.h"

namespace {

using namespace quantora;

class SilentReporter : public Reporter {
 public:
  void Beep(unsigned) override {}
  void ShowMessage(const std::string& text, const std::string&, unsigned) override {
    if (text.size() > 600) __builtin_trap();  // messages are bounded
  }
};

void Require(bool holds) {
  if (!holds) __builtin_trap();
}

// data/QUANTORA.TXT of this source tree.
std::string CataloguePath() {
  std::string path = __FILE__;
  path.erase(path.find_last_of('/') + 1);
  return path + "../data/QUANTORA.TXT";
}

bool IsFlag(std::int32_t value) { return value == 0 || value == 1; }

void RequireInsideTables(const ConversionState& state, const UnitTables& tables,
                         const NumericFormat& format) {
  Require(tables.NumberOfDimensions >= 1 && tables.NumberOfDimensions <= kMaxDimensions);
  Require(tables.NumberOfScalers >= 1 && tables.NumberOfScalers <= kMaxScalers);
  Require(tables.NoMultiplierIndex < tables.NumberOfScalers);
  Require(IsFlag(state.MultiDimensional) && IsFlag(state.InputValuePresent));
  Require(format.ValueDisplayType == SCIENTIFIC || format.ValueDisplayType == ENGINEERING ||
          format.ValueDisplayType == FIXED_DECIMAL);
  Require(format.SignificantDigits >= kMinSignificantDigits &&
          format.SignificantDigits <= kMaxSignificantDigits);
  Require(format.PlacesRightOfDecimal >= kMinPlaces && format.PlacesRightOfDecimal <= kMaxPlaces);
  Require(IsFlag(format.TruncateTrailingZeroes));
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const QuantityRecord& record = state.QuantityRecords[slot];
    const bool hasQuantity = record.DimensionIndex != kNoDimension;
    Require(!hasQuantity || record.DimensionIndex <= kMaxStoredDimensionIndex);
    Require(record.NumberOfUnits >= 0 && record.NumberOfUnits <= kMaxUnits);
    Require(IsFlag(record.HeldAsSaved) && (hasQuantity || !record.HeldAsSaved));
    // A quantity whose units were read names a Dimension of the table.
    if (hasQuantity && !record.HeldAsSaved) {
      Require(record.DimensionIndex < tables.NumberOfDimensions && record.NumberOfUnits >= 1);
    }
    Require(record.Input.LabelId == 502 + slot && record.Output.LabelId == 508 + slot);
    for (const UnitSelection* side : {&record.Input, &record.Output}) {
      Require(side->UnitScalerIndex < tables.NumberOfScalers);
      Require(std::isfinite(side->UnitScalerMult) && side->UnitScalerMult > 0.0);
      Require(IsFlag(side->UnitSelected));
      // A chosen side names a unit of its list; a held slot shows nothing chosen.
      if (side->UnitSelected) Require(side->UnitIndex < record.NumberOfUnits);
      if (record.HeldAsSaved) Require(!side->UnitSelected);
    }
  }
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool SameSide(const UnitSelection& a, const UnitSelection& b) {
  return a.UnitIndex == b.UnitIndex && SameBits(a.UnitMult, b.UnitMult) &&
         SameBits(a.UnitOffset, b.UnitOffset) && SameBits(a.UnitScalerMult, b.UnitScalerMult) &&
         a.UnitScalerIndex == b.UnitScalerIndex && a.LabelId == b.LabelId &&
         a.UnitSelected == b.UnitSelected;
}

bool SameState(const ConversionState& a, const NumericFormat& fa, const ConversionState& b,
               const NumericFormat& fb) {
  if (a.MultiDimensional != b.MultiDimensional || !SameBits(a.InputValue, b.InputValue) ||
      a.InputValuePresent != b.InputValuePresent || fa.ValueDisplayType != fb.ValueDisplayType ||
      fa.SignificantDigits != fb.SignificantDigits ||
      fa.PlacesRightOfDecimal != fb.PlacesRightOfDecimal ||
      fa.TruncateTrailingZeroes != fb.TruncateTrailingZeroes) {
    return false;
  }
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const QuantityRecord& x = a.QuantityRecords[slot];
    const QuantityRecord& y = b.QuantityRecords[slot];
    if (x.DimensionIndex != y.DimensionIndex || x.NumberOfUnits != y.NumberOfUnits ||
        x.HeldAsSaved != y.HeldAsSaved || !SameSide(x.Input, y.Input) ||
        !SameSide(x.Output, y.Output) ||
        std::memcmp(x.UnitNames, y.UnitNames, sizeof x.UnitNames) != 0) {
      return false;
    }
  }
  return true;
}

// The records of one run of the program; large, so they live on the heap.
struct Run {
  ConversionState state;
  UnitTables tables;
  NumericFormat format;
  SilentReporter reporter;

  LoadOutcome Load(const ProfileStore& store, const std::string& catalogue) {
    return LoadSettings(store, reporter, state, tables, format, catalogue.c_str());
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string catalogue = CataloguePath();
  const std::string text(reinterpret_cast<const char*>(data), size);
  MemoryProfileStore store(text);

  auto first = std::make_unique<Run>();
  const LoadOutcome outcome = first->Load(store, catalogue);
  // A failed start closes without saving; the catalogue is fine, so only the marker fails.
  if (outcome != LoadOutcome::Loaded) {
    Require(outcome == LoadOutcome::SettingsFileMissing);
    return 0;
  }
  RequireInsideTables(first->state, first->tables, first->format);

  const WindowRect rect = LoadWindowRect(store);
  Require(SaveSettings(store, first->reporter, first->state, first->format, rect));
  auto second = std::make_unique<Run>();
  Require(second->Load(store, catalogue) == LoadOutcome::Loaded);
  Require(SameState(first->state, first->format, second->state, second->format));
  const WindowRect again = LoadWindowRect(store);
  Require(again.left == rect.left && again.top == rect.top && again.right == rect.right &&
          again.bottom == rect.bottom);
  return 0;
}
