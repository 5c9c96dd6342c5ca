#include "conversion/copy_text.h"

namespace quantora {
namespace {

// A control hands a copy at most kControlTextLimit characters.
std::string Piece(const std::string& controlText) {
  return controlText.substr(0, static_cast<std::size_t>(kControlTextLimit));
}

// The side's unit as its label shows it, multiplier included; nullptr when that side has no
// unit chosen.
const char* ChosenLabel(const QuantityRecord& record, bool inputSide, const UnitTables& tables,
                        char (&label)[kLabelSize]) {
  if (!Side(record, inputSide).UnitSelected) return nullptr;
  ComposeUnitLabel(record, inputSide, tables, label);
  return label;
}

// The unit part of one side: the slot 0 label in simple mode, the compound text otherwise,
// behind the separator of the mode.
void AppendUnit(const ShownTexts& shown, const ConversionState& state, const UnitTables& tables,
                bool multiDimensional, bool inputSide, std::string& text) {
  if (multiDimensional) {
    text += "  ";
    ComposeCompoundUnitText(state, tables, inputSide, text);
  } else {
    text += ' ';
    text += Piece(inputSide ? shown.inputLabel : shown.outputLabel);
  }
}

}  // namespace

void ComposeCompoundUnitText(const ConversionState& state, const UnitTables& tables,
                             bool inputSide, std::string& text) {
  for (int k = 0; k < kColumnCount; ++k) {
    char numeratorLabel[kLabelSize], denominatorLabel[kLabelSize];
    const QuantityRecord& over = state.QuantityRecords[k];
    const QuantityRecord& under = state.QuantityRecords[k + kColumnCount];
    const char* numerator = ChosenLabel(over, inputSide, tables, numeratorLabel);
    const char* denominator = ChosenLabel(under, inputSide, tables, denominatorLabel);
    if (k > 0 && (numerator || denominator)) text += " x ";
    if (numerator && denominator) {
      text += numerator;
      text += " / ";
      text += denominator;
    } else if (numerator) {
      text += numerator;
    } else if (denominator) {
      text += "1 / ";
      text += denominator;
    }
  }
}

std::string CopyResultText(const ShownTexts& shown, const ConversionState& state,
                           const UnitTables& tables, bool multiDimensional) {
  std::string text = Piece(shown.result);
  AppendUnit(shown, state, tables, multiDimensional, false, text);
  return text;
}

std::string CopyAllText(const ShownTexts& shown, const ConversionState& state,
                        const UnitTables& tables, bool multiDimensional) {
  std::string text = Piece(shown.value);
  AppendUnit(shown, state, tables, multiDimensional, true, text);
  text += " = ";
  text += Piece(shown.result);
  AppendUnit(shown, state, tables, multiDimensional, false, text);
  return text;
}

}  // namespace quantora
