// The conversion shown in the main window: its state, whether it can be shown, the chain of
// operations from the input unit to the output unit, and reading a typed value back.
#pragma once

#include <cstdint>
#include <string>

#include "conversion/number_format.h"
#include "units/quantity.h"

namespace quantora {

struct ConversionState {
  std::int32_t MultiDimensional = 0;   // 0 simple mode (slot 0 only), 1 multi-unit mode
  double InputValue = 1.0;
  std::int32_t InputValuePresent = 0;
  QuantityRecord QuantityRecords[kSlotCount];
};

bool CanConvert(const ConversionState& state, bool multiDimensional);

// Simple mode: slot 0 in, slot 0 out. Multi-unit mode: the 36-step chain over the six slots,
// where a side with no unit chosen leaves the value as it is and the offsets apply only when
// each side is one plain numerator unit.
double ConvertValue(const ConversionState& state, double value, bool multiDimensional);

// Deletes every blank (character 32) in place; other characters stay.
void RemoveBlanks(std::string& text);

// The leading-prefix parse of a typed value: blanks skipped, optional sign, digits with an
// optional '.', optional exponent; no hex and no "inf"/"nan" words; no number gives 0.0.
// The decimal point is '.' whatever the locale.
double ParseInputValue(const char* text);

// ReadInputValue without the control: the control's text cut to 49 characters, blanks
// removed, then parsed.
double ReadInputText(const std::string& controlText);

constexpr int kControlTextLimit = 49;

// The two texts RecomputeResult writes: the result (control 501) and the echo (control 500).
struct DisplayTexts {
  std::string result;
  std::string echo;
};
DisplayTexts ComputeDisplayTexts(const ConversionState& state, const NumericFormat& format);

}  // namespace quantora
