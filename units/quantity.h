// The six quantity slots, the Dimension and multiplier tables read from the units data file,
// and the unit labels the main window shows for each chosen unit.
#pragma once

#include <cstdint>

namespace quantora {

constexpr int kSlotCount = 6;            // slot 0 alone in simple mode; 0..2 over 3..5 in multi-unit mode
constexpr int kColumnCount = kSlotCount / 2;  // multi-unit mode: column k is slot k over slot k + 3
constexpr int kMaxUnits = 180;           // unit names per record
constexpr int kMaxDimensions = 50;       // Dimension labels
constexpr int kMaxScalers = 50;          // multiplier entries
constexpr int kMaxNameLength = 40;       // any name, without its NUL
constexpr int kNameSize = kMaxNameLength + 1;
constexpr int kLabelSize = 2 * kMaxNameLength + 1;  // composed unit label: prefix + unit name
constexpr std::uint16_t kNoDimension = 9999;
constexpr std::uint16_t kMaxStoredDimensionIndex = 100;  // above this a saved index means "none"

// One side of a slot: "Convert From" (input) or "Convert To" (output).
// A value v in this side's unit is (v * UnitScalerMult + UnitOffset) * UnitMult in the
// Dimension's base unit.
struct UnitSelection {
  std::uint16_t UnitIndex = 0;
  double UnitMult = 1.0;
  double UnitOffset = 0.0;
  double UnitScalerMult = 1.0;
  std::uint16_t UnitScalerIndex = 0;
  std::int32_t LabelX = 0;
  std::int32_t LabelY = 0;
  std::int32_t LabelId = 0;
  std::int32_t UnitSelected = 0;
};

struct QuantityRecord {
  std::uint16_t DimensionIndex = 0;
  char UnitNames[kMaxUnits][kNameSize] = {};
  std::int32_t NumberOfUnits = 0;
  UnitSelection Input;
  UnitSelection Output;
  // The slot's unit list could not be read at start-up (its section is missing from the
  // catalogue, perhaps only for now): both sides show nothing chosen, and the save leaves the
  // slot's keys in the settings file as they were, until a quantity pick or "Undo Quantity"
  // gives the slot a choice of the user's own.
  std::int32_t HeldAsSaved = 0;
};

inline UnitSelection& Side(QuantityRecord& record, bool inputSide) {
  return inputSide ? record.Input : record.Output;
}
inline const UnitSelection& Side(const QuantityRecord& record, bool inputSide) {
  return inputSide ? record.Input : record.Output;
}

struct ScalerEntry {
  char Name[kNameSize] = {};
  double Mult = 0.0;
};

// What the units data file yields at start-up: the Dimensions and the multiplier prefixes.
struct UnitTables {
  char DimensionLabels[kMaxDimensions][kNameSize] = {};
  std::int32_t NumberOfDimensions = 0;
  ScalerEntry Scalers[kMaxScalers] = {};
  std::int32_t NumberOfScalers = 0;
  std::uint16_t NoMultiplierIndex = 0;
};

// The label of a Dimension index, or nullptr when the index names no label of the table
// (9999, an index from a damaged settings file, or one at or beyond NumberOfDimensions).
const char* DimensionLabelOf(const UnitTables& tables, std::uint16_t dimensionIndex);

// The multiplier entry of a side, or nullptr when its index lies outside the counted entries.
const ScalerEntry* ScalerOf(const UnitTables& tables, std::uint16_t scalerIndex);

// The side's unit name as stored (caret included), or "" when the index lies outside the list.
const char* UnitNameOf(const QuantityRecord& record, std::uint16_t unitIndex);

// The label of a unit name with a multiplier name ("" for none): the multiplier at the caret,
// with the rest of the name after the caret's word dropped, or in front of a name without one.
// Returns true for the prefix form, false when the multiplier went in at the caret.
bool ComposeLabel(const char* prefix, const char* unitName, char (&text)[kLabelSize]);

// Writes the label of one side into text (kLabelSize bytes). Returns true for the prefix form
// (or the empty label of an unselected side), false when the prefix went in at the caret.
bool ComposeUnitLabel(const QuantityRecord& record, bool inputSide, const UnitTables& tables,
                      char (&text)[kLabelSize]);

// The factor for the side's UnitScalerMult: the prefix factor, squared for a marked unit of
// "Area" and cubed for one of "Volume".
double EffectiveScalerMult(const QuantityRecord& record, bool inputSide, const UnitTables& tables);

// Exchanges the unit choices of the two sides; the Dimension, the unit list and the label
// places stay. Relabelling the controls is the caller's.
void SwapSides(QuantityRecord& record);

// Puts a side back to "nothing chosen".
void ResetSide(UnitSelection& side, std::uint16_t noMultiplierIndex);

void RemoveScalerMark(char* text);

}  // namespace quantora
