#include "conversion/conversion.h"

#include <cfloat>
#include <cmath>

namespace quantora {

bool CanConvert(const ConversionState& state, bool multiDimensional) {
  if (!state.InputValuePresent) return false;
  if (!multiDimensional) {
    const QuantityRecord& slot = state.QuantityRecords[0];
    return slot.Input.UnitSelected && slot.Output.UnitSelected && slot.Output.UnitMult != 0.0;
  }
  // The two sides must pair up: a slot with a unit on one side only would count as the
  // coherent unit on the other, which its empty label does not say (mile per hour into
  // "kilometer" would show kilometers per second).
  bool any = false;
  for (const QuantityRecord& slot : state.QuantityRecords) {
    if (!slot.Input.UnitSelected != !slot.Output.UnitSelected) return false;
    any = any || slot.Input.UnitSelected;
  }
  return any;
}

namespace {

constexpr double kOffsetRounding = 8 * DBL_EPSILON;

// Into the base unit, as a numerator: prefix, offset, factor.
double Into(double v, const UnitSelection& s, double offset) {
  v *= s.UnitScalerMult;
  v += offset;
  v *= s.UnitMult;
  return v;
}

// Out of the base unit, as a numerator: the exact inverse of Into. What is left of a value
// only by the rounding of its offset's subtraction is none: 32 Fahrenheit is 0 Celsius, not
// 5.7 E-14 (the difference of two values that each carry 17 digits).
double OutOf(double v, const UnitSelection& s, double offset) {
  v /= s.UnitMult;
  v -= offset;
  if (std::fabs(v) <= std::fabs(offset) * kOffsetRounding) v = 0.0;
  v /= s.UnitScalerMult;
  return v;
}

// Whether the conversion is of one plain unit: exactly one slot chosen, and that a numerator.
// The sides pair up (CanConvert), so the input side answers for both.
bool IsOnePlainUnit(const ConversionState& state) {
  int selected = 0;
  int where = -1;
  for (int k = 0; k < kSlotCount; ++k) {
    if (state.QuantityRecords[k].Input.UnitSelected) {
      ++selected;
      where = k;
    }
  }
  return selected == 1 && where < kColumnCount;
}

}  // namespace

double ConvertValue(const ConversionState& state, double value, bool multiDimensional) {
  const QuantityRecord* slots = state.QuantityRecords;
  double v = value;
  if (!multiDimensional) {
    v = Into(v, slots[0].Input, slots[0].Input.UnitOffset);
    return OutOf(v, slots[0].Output, slots[0].Output.UnitOffset);
  }
  // An offset only means something for a temperature converted as a temperature: one plain
  // unit on each side. As soon as either side is a compound, every unit of both sides is an
  // interval (1 J/(kg*degC) is 1 J/(kg*K), 10 degC/min is 18 degF/min, and degC/min into
  // degF must not shift a rate by 459.67).
  const bool offsets = IsOnePlainUnit(state);
  auto offset = [offsets](const UnitSelection& s) { return offsets ? s.UnitOffset : 0.0; };
  // A side with no unit chosen is no part of the compound. Its factors are normally the
  // neutral ones, but not always: a multiplier picked without a unit gets its factor when the
  // dialog closes, and a settings file may name a multiplier for a side without a unit. None of
  // them may scale the result of a compound whose labels do not show them.
  auto into = [&](double x, const UnitSelection& s) {
    return s.UnitSelected ? Into(x, s, offset(s)) : x;
  };
  auto outOf = [&](double x, const UnitSelection& s) {
    return s.UnitSelected ? OutOf(x, s, offset(s)) : x;
  };
  // Numerators go into base units, denominators the other way round; then the output side
  // is the mirror image.
  for (int k = 0; k < kColumnCount; ++k) v = into(v, slots[k].Input);
  for (int k = kColumnCount; k < kSlotCount; ++k) v = outOf(v, slots[k].Input);
  for (int k = 0; k < kColumnCount; ++k) v = outOf(v, slots[k].Output);
  for (int k = kColumnCount; k < kSlotCount; ++k) v = into(v, slots[k].Output);
  return v;
}

DisplayTexts ComputeDisplayTexts(const ConversionState& state, const NumericFormat& format) {
  DisplayTexts texts;
  const bool multi = state.MultiDimensional != 0;
  if (CanConvert(state, multi)) {
    texts.result = FormatValue(ConvertValue(state, state.InputValue, multi), format);
  }
  if (state.InputValuePresent) texts.echo = FormatValue(state.InputValue, format);
  return texts;
}

}  // namespace quantora
