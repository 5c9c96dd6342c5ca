// What the Numeric Format dialog decides, apart from the window calls that apply it: how a
// typed number is read and checked, what a scroll-bar step does, which controls a notation
// enables, which radio button shows it and the text of the range message. The dialog edits
// the program's NumericFormat in place; these functions take it as a parameter.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "numbers/number_format.h"

namespace quantora {

// The two numbers the dialog edits, each with its edit, scroll bar and label.
enum class FormatField { kSignificantDigits, kPlaces };

struct FieldRange {
  std::int32_t low;
  std::int32_t high;
};

FieldRange RangeOf(FormatField field);
int EditOf(FormatField field);  // 159 or 156

// The number a scroll step moves: places in fixed decimal, significant digits otherwise.
FormatField SteppedField(Notation notation);

// A number read from a digits-only edit the way the dialog manager reads one unsigned: blanks
// around it are skipped, every other character must be a digit and the value must fit in 32
// bits. The empty (or all-blank) text reads as 0; anything else that is not such a number is
// unreadable.
struct EditNumber {
  std::uint32_t value = 0;
  bool readable = true;
};
EditNumber ReadEditNumber(const std::string& text);

// The check when an edit loses the focus. The number is compared as a signed 32-bit value, so
// 4294967295 is -1 and out of range. An accepted number is stored; a rejected one leaves the
// setting as it was and asks for the range message with the field's bounds. In every case the
// edit is written back with the setting's value (`shown`), so 007 comes back as 7 and a
// rejected entry is replaced by the previous number.
struct EditCheck {
  bool accepted = false;
  std::int32_t shown = 0;
  FieldRange range{0, 0};  // the bounds the message names
};
EditCheck CheckFormatEdit(FormatField field, const std::string& text, NumericFormat& format);

// A scroll-bar step for the scroll code of WM_VSCROLL (the whole wParam). Codes 0 and 2 raise
// the number by one, 1 and 3 lower it; a step that would leave the range changes nothing and
// asks for a beep. Other codes (thumb, end of scroll) do nothing at all.
struct ScrollStep {
  bool isStep = false;   // the code was 0..3
  bool refused = false;  // beep: the step would leave the range
  FormatField field = FormatField::kSignificantDigits;
  std::int32_t shown = 0;  // the number its edit is written back with
};
ScrollStep StepFormatNumber(std::uintptr_t scrollCode, NumericFormat& format);

// Which of the digit controls a notation enables, in the order the dialog applies them:
// 153, 156, 157 (places) and 158, 159, 160 (significant digits).
struct ControlEnabling {
  int id;
  bool enabled;
};
constexpr int kDigitControlCount = 6;
std::array<ControlEnabling, kDigitControlCount> DigitControlStates(Notation notation);

// The radio button of a notation (150 Engineering, 151 Scientific, 152 Fixed Decimal), and the
// notation a radio button stands for (false for any other id).
int NotationRadioButton(Notation notation);
bool NotationOfRadioButton(int id, Notation& notation);

// The range message: the pattern (the string table's range text) with its two %d replaced by
// the bounds, "%%" by a single '%'. Any other '%' stays as it is, so a pattern can never read
// arguments it was not given.
std::string FormatRangeMessage(const std::string& pattern, std::int32_t low, std::int32_t high);

}  // namespace quantora
