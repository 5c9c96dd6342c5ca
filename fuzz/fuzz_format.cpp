// Any double in any numeric format: the text fits its 16 characters, holds only what its
// notation writes, and reads back through the input parse to the value it shows.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "conversion/conversion.h"
#include "numbers/number_format.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Sign, digits and at most one point, then optionally " E" with an optionally negative exponent.
bool WellFormedNumber(const std::string& text) {
  std::size_t i = 0;
  if (i < text.size() && text[i] == '-') ++i;
  std::size_t digits = 0;
  bool point = false;
  for (; i < text.size() && (IsDigit(text[i]) || text[i] == '.'); ++i) {
    if (text[i] == '.') {
      if (point) return false;
      point = true;
    } else {
      ++digits;
    }
  }
  if (digits == 0) return false;
  if (i == text.size()) return true;
  if (text.compare(i, 2, " E") != 0) return false;
  i += 2;
  if (i < text.size() && text[i] == '-') ++i;
  std::size_t exponentDigits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) ++exponentDigits;
  return exponentDigits > 0 && exponentDigits <= 3 && i == text.size() && text[i - exponentDigits] != '0';
}

// Half a unit of the last significant digit shown, relative to the value.
long double SignificantBound(long double magnitude, int digits) {
  return 0.5L * std::pow(10.0L, 1 - digits) * magnitude * (1 + 1e-12L);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(double)) return 0;
  double value;
  std::memcpy(&value, data, sizeof value);
  const auto next = [&](std::size_t i) -> unsigned { return i < size ? data[i] : 0u; };

  quantora::NumericFormat format;
  format.ValueDisplayType = static_cast<quantora::Notation>(next(8) % 3);
  format.SignificantDigits = 1 + static_cast<int>(next(9) % 8);
  format.PlacesRightOfDecimal = static_cast<int>(next(10) % 9);
  format.TruncateTrailingZeroes = static_cast<int>(next(11) & 1u);

  const std::string text = quantora::FormatValue(value, format);
  Check(!text.empty());
  Check(text.size() <= static_cast<std::size_t>(quantora::kMaxFormattedLength));

  if (std::isnan(value)) {
    Check(text == "Undefined");
    return 0;
  }
  if (std::isinf(value)) {
    Check(text == (value < 0 ? "-Infinity" : "Infinity"));
    return 0;
  }

  Check(WellFormedNumber(text));
  // A fixed-decimal text that was too long has been replaced by the scientific one.
  const bool scientificText = format.ValueDisplayType != quantora::FIXED_DECIMAL ||
                              text.find('E') != std::string::npos;
  if (!scientificText) {
    Check(text.size() <= static_cast<std::size_t>(quantora::kMaxFixedLength));
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
      Check(text.size() - point - 1 <= static_cast<std::size_t>(format.PlacesRightOfDecimal));
    }
  }
  // A value below zero shows its sign in every notation; a negative zero does not.
  Check((text[0] == '-') == (value < 0));

  // Read back as the input field does: blanks removed, then the program's own parse.
  std::string typed = text;
  quantora::RemoveBlanks(typed);
  const double back = quantora::ParseInputValue(typed.c_str());
  const long double magnitude = std::fabs(static_cast<long double>(value));
  const long double bound =
      scientificText ? SignificantBound(magnitude, format.SignificantDigits)
                     : 0.5L * std::pow(10.0L, -format.PlacesRightOfDecimal) * (1 + 1e-9L) + magnitude * 1e-15L;
  if (std::isinf(back)) {
    // Rounding a value next to the largest double up to the digits shown can pass it; the text
    // then reads back as infinity. Only such a value may.
    Check(scientificText);
    Check(std::signbit(back) == std::signbit(value));
    Check(static_cast<long double>(std::numeric_limits<double>::max()) - magnitude <= bound);
    return 0;
  }
  // Where the parse lands on the subnormal grid it can be off by half its spacing.
  const long double slack = std::numeric_limits<double>::denorm_min() / 2.0L;
  Check(std::fabs(static_cast<long double>(back) - static_cast<long double>(value)) <= bound + slack);
  return 0;
}
