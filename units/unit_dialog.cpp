#include "units/unit_dialog.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace quantora {
namespace {

int CountedScalers(const UnitTables& tables) {
  if (tables.NumberOfScalers < 0) return 0;
  return tables.NumberOfScalers < kMaxScalers ? tables.NumberOfScalers : kMaxScalers;
}

int CountedDimensions(const UnitTables& tables) {
  if (tables.NumberOfDimensions < 0) return 0;
  return tables.NumberOfDimensions < kMaxDimensions ? tables.NumberOfDimensions : kMaxDimensions;
}

int CountedUnits(const QuantityRecord& record) {
  if (record.NumberOfUnits < 0) return 0;
  return record.NumberOfUnits < kMaxUnits ? record.NumberOfUnits : kMaxUnits;
}

// The list box's own prefix search ignores letter case; the row chosen here is the one it
// would find.
bool BeginsWithNoMult(const char* name) {
  static const char kPrefix[] = "No_Mult";
  for (std::size_t i = 0; i + 1 < sizeof kPrefix; ++i) {
    if (std::tolower(static_cast<unsigned char>(name[i])) !=
        std::tolower(static_cast<unsigned char>(kPrefix[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

const char* UnitDialogCaption(bool multiDimensional, bool inputSide, int slot) {
  if (!multiDimensional) {
    return inputSide ? "Unit Selection Dialog - Convert From..."
                     : "Unit Selection Dialog - Convert To...";
  }
  const bool numerator = slot < kColumnCount;
  if (inputSide) {
    return numerator ? "Unit Selection Dialog - Convert From Numerator..."
                     : "Unit Selection Dialog - Convert From Denominator...";
  }
  return numerator ? "Unit Selection Dialog - Convert To Numerator..."
                   : "Unit Selection Dialog - Convert To Denominator...";
}

int NoMultiplierRow(const UnitTables& tables) {
  const int count = CountedScalers(tables);
  for (int row = 0; row < count; ++row) {
    if (BeginsWithNoMult(tables.Scalers[row].Name)) return row;
  }
  return -1;
}

int MultiplierTopRow(const UnitTables& tables) { return tables.NoMultiplierIndex - 3; }

bool UndoQuantityEnabled(const QuantityRecord& record, bool multiDimensional) {
  return multiDimensional && record.DimensionIndex != kNoDimension;
}

UnitDialogStart StartOfUnitDialog(const QuantityRecord& record, bool inputSide,
                                  const UnitTables& tables, bool multiDimensional) {
  const UnitSelection& side = Side(record, inputSide);
  UnitDialogStart start;
  start.multiplierRow = NoMultiplierRow(tables);
  start.multiplierTopRow = MultiplierTopRow(tables);
  // An index the list does not hold (a damaged settings file) cannot be selected; the list
  // then keeps the row it already shows.
  if (side.UnitScalerIndex != tables.NoMultiplierIndex &&
      side.UnitScalerIndex < CountedScalers(tables)) {
    start.multiplierRow = side.UnitScalerIndex;
  }
  if (record.DimensionIndex != kNoDimension) {
    if (record.DimensionIndex < CountedDimensions(tables)) start.quantityRow = record.DimensionIndex;
    start.fillUnitList = true;
  }
  if (start.fillUnitList && side.UnitSelected == 1 && side.UnitIndex < CountedUnits(record)) {
    start.unitRow = side.UnitIndex;
  }
  start.undoEnabled = UndoQuantityEnabled(record, multiDimensional);
  return start;
}

bool PickQuantity(QuantityRecord& record, int row, const UnitTables& tables, Reporter& reporter,
                  const char* dataPath) {
  if (row < 0 || row >= CountedDimensions(tables)) return false;
  record.DimensionIndex = static_cast<std::uint16_t>(row);
  record.HeldAsSaved = 0;  // the user's own choice now, to be saved
  LoadUnitNames(reporter, tables, record, dataPath);
  // The units of both sides belonged to the former quantity: both start again from nothing,
  // also the side that is not being edited.
  ResetSide(record.Input, tables.NoMultiplierIndex);
  ResetSide(record.Output, tables.NoMultiplierIndex);
  return true;
}

bool PickMultiplier(QuantityRecord& record, bool inputSide, int row, const UnitTables& tables) {
  if (row < 0 || row >= CountedScalers(tables)) return false;
  Side(record, inputSide).UnitScalerIndex = static_cast<std::uint16_t>(row);
  return true;
}

bool PickUnit(QuantityRecord& record, bool inputSide, int row, const UnitTables& tables,
              Reporter& reporter, const char* dataPath) {
  if (row < 0 || row >= CountedUnits(record)) return false;
  UnitSelection& side = Side(record, inputSide);
  const UnitSelection before = side;
  side.UnitIndex = static_cast<std::uint16_t>(row);
  if (LoadUnitFactors(reporter, tables, record, inputSide ? 0 : 1, dataPath)) {
    side.UnitSelected = 1;
  } else {
    // A unit whose factor cannot be read (its section or its line is gone from the
    // catalogue) is not taken: converting with a factor it does not have would show a wrong
    // result, and the unit chosen before stays as it was, index, factors and all.
    side = before;
  }
  return true;
}

void UndoQuantity(QuantityRecord& record, const UnitTables& tables) {
  record.DimensionIndex = kNoDimension;
  record.HeldAsSaved = 0;
  ResetSide(record.Input, tables.NoMultiplierIndex);
  ResetSide(record.Output, tables.NoMultiplierIndex);
}

std::string FinishSide(QuantityRecord& record, bool inputSide, const UnitTables& tables) {
  char label[kLabelSize];
  ComposeUnitLabel(record, inputSide, tables, label);
  Side(record, inputSide).UnitScalerMult = EffectiveScalerMult(record, inputSide, tables);
  return label;
}

std::string UnitListRow(const QuantityRecord& record, int unit) {
  if (unit < 0 || unit >= CountedUnits(record)) return std::string();
  char name[kNameSize];
  std::memcpy(name, record.UnitNames[unit], kNameSize);
  name[kNameSize - 1] = '\0';
  RemoveScalerMark(name);
  return name;
}

std::string CannotAddRowMessage(DialogList list, const char* rowText) {
  const char* listName = list == DialogList::Dimension ? "Dimension"
                         : list == DialogList::Unit    ? "Unit"
                                                       : "Multiplier";
  char text[160];
  std::snprintf(text, sizeof text, "ERROR: Cannot add string to %s List Box:'%s'!", listName,
                rowText);
  return text;
}

}  // namespace quantora
