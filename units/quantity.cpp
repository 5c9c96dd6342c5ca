#include "units/quantity.h"

#include <cstring>
#include <utility>

namespace quantora {

const char* DimensionLabelOf(const UnitTables& tables, std::uint16_t dimensionIndex) {
  if (dimensionIndex >= tables.NumberOfDimensions || dimensionIndex >= kMaxDimensions) {
    return nullptr;
  }
  return tables.DimensionLabels[dimensionIndex];
}

const ScalerEntry* ScalerOf(const UnitTables& tables, std::uint16_t scalerIndex) {
  if (scalerIndex >= tables.NumberOfScalers || scalerIndex >= kMaxScalers) return nullptr;
  return &tables.Scalers[scalerIndex];
}

const char* UnitNameOf(const QuantityRecord& record, std::uint16_t unitIndex) {
  if (unitIndex >= record.NumberOfUnits || unitIndex >= kMaxUnits) return "";
  return record.UnitNames[unitIndex];
}

namespace {

// Appends src to text (capacity kLabelSize) without ever writing past it.
void Append(char (&text)[kLabelSize], std::size_t& used, const char* src, std::size_t count) {
  std::size_t room = kLabelSize - 1 - used;
  if (count > room) count = room;
  std::memcpy(text + used, src, count);
  used += count;
  text[used] = '\0';
}

}  // namespace

bool ComposeUnitLabel(const QuantityRecord& record, bool inputSide, const UnitTables& tables,
                      char (&text)[kLabelSize]) {
  text[0] = '\0';
  const UnitSelection& side = Side(record, inputSide);
  if (!side.UnitSelected) return true;

  const char* prefix = "";
  if (side.UnitScalerIndex != tables.NoMultiplierIndex) {
    if (const ScalerEntry* scaler = ScalerOf(tables, side.UnitScalerIndex)) prefix = scaler->Name;
  }
  return ComposeLabel(prefix, UnitNameOf(record, side.UnitIndex), text);
}

bool ComposeLabel(const char* prefix, const char* unit, char (&text)[kLabelSize]) {
  text[0] = '\0';
  std::size_t used = 0;
  const char* caret = std::strchr(unit, '^');
  if (caret == nullptr) {
    Append(text, used, prefix, std::strlen(prefix));
    Append(text, used, unit, std::strlen(unit));
    return true;
  }
  // At the mark: the name up to the caret, the prefix, then the word that follows the caret.
  // A caret that is the first character, or one followed only by blanks and semicolons,
  // simply contributes an empty part.
  Append(text, used, unit, static_cast<std::size_t>(caret - unit));
  Append(text, used, prefix, std::strlen(prefix));
  const char* rest = caret + 1;
  Append(text, used, rest, std::strcspn(rest, " ;"));
  return false;
}

double EffectiveScalerMult(const QuantityRecord& record, bool inputSide, const UnitTables& tables) {
  const ScalerEntry* scaler = ScalerOf(tables, Side(record, inputSide).UnitScalerIndex);
  // An index outside the counted entries (a damaged settings file) scales by nothing.
  const double f = scaler ? scaler->Mult : 1.0;
  char label[kLabelSize];
  if (ComposeUnitLabel(record, inputSide, tables, label)) return f;
  const char* dimension = DimensionLabelOf(tables, record.DimensionIndex);
  if (dimension == nullptr) return f;
  if (std::strcmp(dimension, "Area") == 0) return f * f;
  if (std::strcmp(dimension, "Volume") == 0) return f * f * f;
  return f;
}

void SwapSides(QuantityRecord& record) {
  UnitSelection& in = record.Input;
  UnitSelection& out = record.Output;
  std::swap(in.UnitIndex, out.UnitIndex);
  std::swap(in.UnitMult, out.UnitMult);
  std::swap(in.UnitOffset, out.UnitOffset);
  std::swap(in.UnitScalerMult, out.UnitScalerMult);
  std::swap(in.UnitScalerIndex, out.UnitScalerIndex);
  std::swap(in.UnitSelected, out.UnitSelected);
}

void ResetSide(UnitSelection& side, std::uint16_t noMultiplierIndex) {
  side.UnitScalerIndex = noMultiplierIndex;
  side.UnitScalerMult = 1.0;
  side.UnitMult = 1.0;
  side.UnitOffset = 0.0;
  side.UnitSelected = 0;
}

void RemoveScalerMark(char* text) {
  char* caret = std::strchr(text, '^');
  if (caret == nullptr) return;
  std::memmove(caret, caret + 1, std::strlen(caret + 1) + 1);
}

}  // namespace quantora
