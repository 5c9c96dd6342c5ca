// The number formatter. Everything is built in small fixed buffers on the stack: the texts are
// short (at most 16 characters), and the one long text, the fixed-decimal candidate of a huge
// magnitude, has a buffer of its own sized for the largest double.
#include "numbers/number_format.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace quantora {

namespace {

constexpr int kExpansionDigits = 17;

// Sign, every integer digit of the largest double (309), the carry digit that rounding could in
// principle add, the point and the places, with room to spare. The writer below never goes past
// it whatever it is asked to write.
constexpr int kFixedCandidateCapacity = 1 + 310 + 1 + kMaxPlaces + 8;

// Texts for values that are not numbers; each fits the 16 characters of any other text.
constexpr char kInfinityText[] = "Infinity";
constexpr char kNegativeInfinityText[] = "-Infinity";
constexpr char kUndefinedText[] = "Undefined";

// A bounded text under construction. Appends beyond the capacity are dropped rather than
// written past the end; the capacities below are chosen so that this never happens.
template <int Capacity>
struct TextBuffer {
  char text[Capacity];
  int length = 0;

  void Append(char c) {
    if (length < Capacity) text[length++] = c;
  }
  void Append(const char* s, int n) {
    for (int i = 0; i < n; ++i) Append(s[i]);
  }
  std::string ToString() const { return std::string(text, static_cast<std::size_t>(length)); }
};

// The 17 significant digits of a positive finite magnitude and its point position d
// (magnitude = 0.digits x 10^d). to_chars rounds correctly to nearest; where the exact value lies
// exactly halfway it rounds to even rather than away from zero, but such a double always has 2 or 7
// as its 17th digit, so no text of 16 or fewer digits can come out differently.
struct Expansion {
  char digits[kExpansionDigits];
  int pointPosition;
};

Expansion Expand(double magnitude) {
  // "d.dddddddddddddddde-ddd": 23 characters at most.
  char buf[32];
  const auto result =
      std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, kExpansionDigits - 1);
  Expansion e;
  e.digits[0] = buf[0];
  std::memcpy(e.digits + 1, buf + 2, kExpansionDigits - 1);
  const char* p = buf + kExpansionDigits + 1;  // the 'e'
  const bool negativeExponent = p[1] == '-';
  int exponent = 0;
  for (const char* q = p + 2; q < result.ptr; ++q) exponent = exponent * 10 + (*q - '0');
  e.pointPosition = (negativeExponent ? -exponent : exponent) + 1;
  return e;
}

// The expansion rounded half away from zero to n leading digits. Digits past `length` are zeros;
// length 0 means the rounded magnitude is zero.
struct Rounded {
  char digits[kExpansionDigits];
  int length;
  int pointPosition;
};

Rounded RoundExpansion(const Expansion& e, int n) {
  Rounded r;
  r.pointPosition = e.pointPosition;
  if (n < 0) {
    // Below half a unit of the last digit kept: the magnitude is less than 0.1 of it.
    r.length = 0;
    return r;
  }
  if (n == 0) {
    // Only the rounding digit decides: 0.006 to two places is 0.01, 0.004 is 0.00.
    if (e.digits[0] >= '5') {
      r.digits[0] = '1';
      r.length = 1;
      r.pointPosition = e.pointPosition + 1;
    } else {
      r.length = 0;
    }
    return r;
  }
  if (n >= kExpansionDigits) {
    std::memcpy(r.digits, e.digits, kExpansionDigits);
    r.length = kExpansionDigits;
    return r;
  }
  std::memcpy(r.digits, e.digits, static_cast<std::size_t>(n));
  r.length = n;
  if (e.digits[n] >= '5') {
    int i = n - 1;
    while (i >= 0 && r.digits[i] == '9') r.digits[i--] = '0';
    if (i >= 0) {
      ++r.digits[i];
    } else {
      // Carried out of the first digit: 99.96 to three digits is 100 with one more integer digit.
      r.digits[0] = '1';
      ++r.pointPosition;
    }
  }
  return r;
}

int StripTrailingZeroes(char* text, int length) {
  if (std::memchr(text, '.', static_cast<std::size_t>(length)) == nullptr) return length;
  while (length > 0 && text[length - 1] == '0') --length;
  if (length > 0 && text[length - 1] == '.') --length;
  return length;
}

bool IsZeroText(const char* text, int length) {
  for (int i = 0; i < length; ++i) {
    if (text[i] != '0' && text[i] != '.') return false;
  }
  return true;
}

template <int Capacity>
void AppendExponent(TextBuffer<Capacity>& out, int exponent) {
  out.Append(' ');
  out.Append('E');
  if (exponent < 0) {
    out.Append('-');
    exponent = -exponent;
  }
  char digits[4];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + exponent % 10);
    exponent /= 10;
  } while (exponent != 0 && n < 4);
  while (n > 0) out.Append(digits[--n]);
}

// Non-finite values read the same in every notation. Returns nullptr for a finite value.
const char* NonFiniteText(double value) {
  if (std::isnan(value)) return kUndefinedText;
  if (std::isinf(value)) return value < 0 ? kNegativeInfinityText : kInfinityText;
  return nullptr;
}

// Room for the longest scientific or engineering text with some spare.
using ShortText = TextBuffer<32>;

// The settings are range-checked where they are loaded; clamping again here keeps a stray value
// from reading past the digit string.
int ClampDigits(int digits) {
  return digits < kMinSignificantDigits ? kMinSignificantDigits
         : digits > kMaxSignificantDigits ? kMaxSignificantDigits
                                          : digits;
}

int ClampPlaces(int places) {
  return places < kMinPlaces ? kMinPlaces : places > kMaxPlaces ? kMaxPlaces : places;
}

// The digit string of a value: exactly n digits (the first non-zero unless the value is zero),
// the point position d (|v| = 0.digits x 10^d) and the sign.
struct DigitString {
  char digits[kMaxSignificantDigits + 1] = {};  // n digits, NUL-terminated
  int pointPosition = 0;
  bool negative = false;
};

DigitString DigitsOf(const Expansion& e, bool negative, int n) {
  DigitString ds;
  const Rounded r = RoundExpansion(e, n);
  std::memcpy(ds.digits, r.digits, static_cast<std::size_t>(n));
  ds.digits[n] = '\0';
  ds.pointPosition = r.pointPosition;
  ds.negative = negative;
  return ds;
}

// n digits of a finite value, n already clamped. Zero, also negative zero, gives n zeros,
// d = 0, not negative.
DigitString DecimalDigits(double value, int n) {
  if (value == 0) {
    DigitString ds;
    std::memset(ds.digits, '0', static_cast<std::size_t>(n));
    return ds;
  }
  return DigitsOf(Expand(std::fabs(value)), value < 0, n);
}

// `ds` holds `digits` digits, already clamped.
void FormatScientific(ShortText& out, const DigitString& ds, int digits, bool truncate) {
  if (ds.negative) out.Append('-');
  out.Append(ds.digits[0]);
  if (digits >= 2) {
    out.Append('.');
    out.Append(ds.digits + 1, digits - 1);
  }
  if (truncate) out.length = StripTrailingZeroes(out.text, out.length);
  const int exponent = ds.pointPosition - 1;
  if (exponent != 0 && !IsZeroText(out.text, out.length)) AppendExponent(out, exponent);
}

void FormatEngineering(ShortText& out, const DigitString& ds, int digits, bool truncate) {
  const int d = ds.pointPosition;
  // The greatest multiple of three below d: floor((d - 1) / 3) for negative d as well.
  const int q = (d - 1 >= 0) ? (d - 1) / 3 : -((-(d - 1) + 2) / 3);
  const int exponent = 3 * q;
  const int integerDigits = d - exponent;  // 1 to 3
  if (ds.negative) out.Append('-');
  if (digits >= integerDigits) {
    out.Append(ds.digits, integerDigits);
  } else {
    // Fewer digits than the integer part: 567 with one digit reads 600.
    out.Append(ds.digits, digits);
    for (int i = digits; i < integerDigits; ++i) out.Append('0');
  }
  if (digits > integerDigits) {
    out.Append('.');
    out.Append(ds.digits + integerDigits, digits - integerDigits);
  }
  if (truncate) out.length = StripTrailingZeroes(out.text, out.length);
  if (exponent != 0 && !IsZeroText(out.text, out.length)) AppendExponent(out, exponent);
}

using FixedText = TextBuffer<kFixedCandidateCapacity>;

// The fixed-decimal text of a finite value, however long: every integer digit is written.
// `e` is the expansion of |value|, unused when the value is zero.
void FormatFixedDecimal(FixedText& out, double value, const Expansion& e, int places, bool truncate) {
  places = ClampPlaces(places);
  Rounded r;
  if (value == 0) {
    r.length = 0;
    r.pointPosition = 0;
  } else {
    r = RoundExpansion(e, e.pointPosition + places);
  }
  // A value below zero keeps its sign even when it rounds to zero (-0.001 to two places reads
  // -0.00); a negative zero is not below zero and reads like zero.
  if (value < 0) out.Append('-');
  const auto digitAt = [&r](int i) { return (i >= 0 && i < r.length) ? r.digits[i] : '0'; };
  if (r.length > 0 && r.pointPosition > 0) {
    for (int i = 0; i < r.pointPosition; ++i) out.Append(digitAt(i));
  } else {
    out.Append('0');
  }
  if (places > 0) {
    out.Append('.');
    for (int j = 0; j < places; ++j) out.Append(digitAt(r.pointPosition + j));
  }
  if (truncate) out.length = StripTrailingZeroes(out.text, out.length);
}

}  // namespace

std::string FormatValue(double value, const NumericFormat& format) {
  if (const char* text = NonFiniteText(value)) return text;
  const bool truncate = format.TruncateTrailingZeroes != 0;
  const int digits = ClampDigits(format.SignificantDigits);
  ShortText out;
  switch (format.ValueDisplayType) {
    case ENGINEERING:
      FormatEngineering(out, DecimalDigits(value, digits), digits, truncate);
      return out.ToString();
    case FIXED_DECIMAL: {
      if (value == 0) {
        FixedText fixed;
        FormatFixedDecimal(fixed, value, Expansion{}, format.PlacesRightOfDecimal, truncate);
        return fixed.ToString();
      }
      // One expansion serves both the fixed-decimal text and the scientific text that may
      // replace it.
      const double magnitude = std::fabs(value);
      const Expansion e = Expand(magnitude);
      // Truncation never touches the integer part, so from 1e13 on, with at least 14 integer
      // digits, the text is too long whatever the places: no need to write them all.
      if (magnitude < 1e13) {
        FixedText fixed;
        FormatFixedDecimal(fixed, value, e, format.PlacesRightOfDecimal, truncate);
        if (fixed.length <= kMaxFixedLength) return fixed.ToString();
      }
      FormatScientific(out, DigitsOf(e, value < 0, digits), digits, truncate);
      return out.ToString();
    }
    case SCIENTIFIC:
    default:
      FormatScientific(out, DecimalDigits(value, digits), digits, truncate);
      return out.ToString();
  }
}

}  // namespace quantora
