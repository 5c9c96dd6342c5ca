#include "conversion/copy_text.h"

namespace quantora {
namespace {

// A control hands a copy at most kControlTextLimit characters.
std::string Piece(const std::string& controlText) {
  return controlText.substr(0, static_cast<std::size_t>(kControlTextLimit));
}

// The side's unit name of a slot, or nullptr when that side has no unit chosen.
const char* ChosenName(const QuantityRecord& record, bool inputSide) {
  const UnitSelection& side = Side(record, inputSide);
  if (!side.UnitSelected) return nullptr;
  return UnitNameOf(record, side.UnitIndex);
}

// The unit part of one side: the slot 0 label in simple mode, the compound text otherwise,
// behind the separator of the mode.
void AppendUnit(const ShownTexts& shown, const ConversionState& state, bool multiDimensional,
                bool inputSide, std::string& text) {
  if (multiDimensional) {
    text += "  ";
    ComposeCompoundUnitText(state, inputSide, text);
  } else {
    text += ' ';
    text += Piece(inputSide ? shown.inputLabel : shown.outputLabel);
  }
}

}  // namespace

void ComposeCompoundUnitText(const ConversionState& state, bool inputSide, std::string& text) {
  for (int k = 0; k < kColumnCount; ++k) {
    const char* numerator = ChosenName(state.QuantityRecords[k], inputSide);
    const char* denominator = ChosenName(state.QuantityRecords[k + kColumnCount], inputSide);
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
                           bool multiDimensional) {
  std::string text = Piece(shown.result);
  AppendUnit(shown, state, multiDimensional, false, text);
  return text;
}

std::string CopyAllText(const ShownTexts& shown, const ConversionState& state,
                        bool multiDimensional) {
  std::string text = Piece(shown.value);
  AppendUnit(shown, state, multiDimensional, true, text);
  text += " = ";
  text += Piece(shown.result);
  AppendUnit(shown, state, multiDimensional, false, text);
  return text;
}

}  // namespace quantora
