#include "conversion/format_dialog.h"

#include "resources/convert.h"

namespace quantora {

FieldRange RangeOf(FormatField field) {
  return field == FormatField::kPlaces ? FieldRange{kMinPlaces, kMaxPlaces}
                                       : FieldRange{kMinSignificantDigits, kMaxSignificantDigits};
}

int EditOf(FormatField field) {
  return field == FormatField::kPlaces ? IDC_PLACES_EDIT : IDC_DIGITS_EDIT;
}

FormatField SteppedField(Notation notation) {
  return notation == FIXED_DECIMAL ? FormatField::kPlaces : FormatField::kSignificantDigits;
}

static std::int32_t& SettingOf(FormatField field, NumericFormat& format) {
  return field == FormatField::kPlaces ? format.PlacesRightOfDecimal : format.SignificantDigits;
}

static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

EditNumber ReadEditNumber(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  EditNumber number;
  if (begin == end) return number;  // nothing typed: 0
  std::uint64_t value = 0;
  for (std::size_t i = begin; i < end; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return {0, false};
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > 0xFFFFFFFFull) return {0, false};
  }
  number.value = static_cast<std::uint32_t>(value);
  return number;
}

EditCheck CheckFormatEdit(FormatField field, const std::string& text, NumericFormat& format) {
  const EditNumber number = ReadEditNumber(text);
  // The number arrives unsigned and is judged as a signed 32-bit value, so the largest
  // numbers come out negative and are refused like any other number below the range.
  const std::int32_t value = static_cast<std::int32_t>(number.value);
  std::int32_t& setting = SettingOf(field, format);
  EditCheck check;
  check.range = RangeOf(field);
  // A text that is not a number at all (pasted letters, more digits than 32 bits hold) is
  // refused rather than taken as 0; only the emptied edit counts as 0.
  check.accepted = number.readable && value >= check.range.low && value <= check.range.high;
  if (check.accepted) setting = value;
  check.shown = setting;
  return check;
}

ScrollStep StepFormatNumber(std::uintptr_t scrollCode, NumericFormat& format) {
  ScrollStep step;
  step.field = SteppedField(format.ValueDisplayType);
  std::int32_t& setting = SettingOf(step.field, format);
  step.shown = setting;
  if (scrollCode > 3) return step;
  step.isStep = true;
  const bool raise = scrollCode == 0 || scrollCode == 2;  // the upper arrow, page up
  const FieldRange range = RangeOf(step.field);
  if (raise ? setting >= range.high : setting <= range.low) {
    step.refused = true;
  } else {
    setting += raise ? 1 : -1;
  }
  step.shown = setting;
  return step;
}

std::array<ControlEnabling, kDigitControlCount> DigitControlStates(Notation notation) {
  const bool places = notation == FIXED_DECIMAL;
  return {{{IDC_PLACES_LABEL, places},
           {IDC_PLACES_EDIT, places},
           {IDC_PLACES_SCROLL, places},
           {IDC_DIGITS_LABEL, !places},
           {IDC_DIGITS_EDIT, !places},
           {IDC_DIGITS_SCROLL, !places}}};
}

int NotationRadioButton(Notation notation) {
  switch (notation) {
    case SCIENTIFIC:
      return IDC_SCIENTIFIC;
    case FIXED_DECIMAL:
      return IDC_FIXED_DECIMAL;
    default:
      return IDC_ENGINEERING;
  }
}

bool NotationOfRadioButton(int id, Notation& notation) {
  switch (id) {
    case IDC_ENGINEERING:
      notation = ENGINEERING;
      return true;
    case IDC_SCIENTIFIC:
      notation = SCIENTIFIC;
      return true;
    case IDC_FIXED_DECIMAL:
      notation = FIXED_DECIMAL;
      return true;
    default:
      return false;
  }
}

std::string FormatRangeMessage(const std::string& pattern, std::int32_t low, std::int32_t high) {
  const std::int32_t bounds[] = {low, high};
  int used = 0;
  std::string text;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size()) {
      const char next = pattern[i + 1];
      if (next == '%') {
        text += '%';
        ++i;
        continue;
      }
      if (next == 'd' && used < 2) {
        text += std::to_string(bounds[used++]);
        ++i;
        continue;
      }
    }
    text += pattern[i];
  }
  return text;
}

}  // namespace quantora
