// The conversion shown in the main window: its state, whether it can be shown, the chain of
// operations from the input unit to the output unit, and the texts the window shows.
#pragma once

#include <cstdint>
#include <string>

#include "numbers/number_format.h"
#include "numbers/number_text.h"
#include "units/quantity.h"

namespace quantora {

struct ConversionState {
  std::int32_t MultiDimensional = 0;   // 0 simple mode (slot 0 only), 1 multi-unit mode
  double InputValue = 1.0;
  std::int32_t InputValuePresent = 0;
  QuantityRecord QuantityRecords[kSlotCount];
};

// Whether a value was given and the units chosen: in simple mode both sides of slot 0 (and an
// output factor that is not zero); in multi-unit mode at least one slot, and every slot with a
// unit on one side has one on the other side too.
bool CanConvert(const ConversionState& state, bool multiDimensional);

// Simple mode: slot 0 in, slot 0 out. Multi-unit mode, for sides that pair up (CanConvert):
// the 36-step chain over the six slots, where a side with no unit chosen leaves the value as it
// is and the offsets apply only when each side is one plain numerator unit.
double ConvertValue(const ConversionState& state, double value, bool multiDimensional);

// The two texts RecomputeResult writes: the result (control 501) and the echo (control 500).
struct DisplayTexts {
  std::string result;
  std::string echo;
};
DisplayTexts ComputeDisplayTexts(const ConversionState& state, const NumericFormat& format);

}  // namespace quantora
