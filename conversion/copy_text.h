// The one-line texts that Copy Result and Copy All put on the clipboard. They are built from
// what the main window shows (the texts read back from its controls), so every number appears
// exactly as formatted on screen; in multi-unit mode the unit part is composed from the six
// slots' units, each written as its label shows it. No line break and no newline is ever
// added, and the text is never cut.
#pragma once

#include <string>

#include "conversion/conversion.h"

namespace quantora {

// The control texts a copy reads: the value edit (500), the result edit (501) and the unit
// labels of slot 0 (502 input, 508 output; used in simple mode only). Each counts only up to
// its first kControlTextLimit characters, as much as the window lets a copy read back.
struct ShownTexts {
  std::string value;
  std::string result;
  std::string inputLabel;
  std::string outputLabel;
};

// Appends the compound unit text of one side: for each column k (slot k over slot k + 3), the
// chosen units as "N / D", "N" or "1 / D", the second and third columns each led by " x "
// when they hold a unit, whether or not an earlier column did. Each unit is written as the
// window's label shows it (ComposeUnitLabel): multiplier included, so the text states the same
// equation as the screen.
void ComposeCompoundUnitText(const ConversionState& state, const UnitTables& tables,
                             bool inputSide, std::string& text);

// Simple mode: result, " ", output label. Multi-unit mode: result, "  ", output compound.
std::string CopyResultText(const ShownTexts& shown, const ConversionState& state,
                           const UnitTables& tables, bool multiDimensional);

// Simple mode: value, " ", input label, " = ", result, " ", output label.
// Multi-unit mode: value, "  ", input compound, " = ", result, "  ", output compound.
std::string CopyAllText(const ShownTexts& shown, const ConversionState& state,
                        const UnitTables& tables, bool multiDimensional);

}  // namespace quantora
