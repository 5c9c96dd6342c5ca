// Reading a typed number: the value the user types, and the factors of the units data file.
#include "numbers/number_text.h"

#include <charconv>
#include <limits>

namespace quantora {

void RemoveBlanks(std::string& text) {
  std::size_t kept = 0;
  for (char c : text) {
    if (c != ' ') text[kept++] = c;
  }
  text.resize(kept);
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

double ParseInputValue(const char* text) {
  const char* p = text;
  while (IsSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  // The longest prefix that is a decimal number: digits, an optional point with digits, and
  // an exponent only when it has digits of its own.
  const char* start = p;
  const char* q = p;
  bool seenNonZero = false;
  int integerDigits = 0;   // significant digits before the point
  int fractionZeros = 0;   // zeros after the point before the first non-zero digit
  while (IsDigit(*q)) {
    if (*q != '0') seenNonZero = true;
    if (seenNonZero) ++integerDigits;
    ++q;
  }
  bool anyDigit = q != start;
  if (*q == '.') {
    const char* f = q + 1;
    while (IsDigit(*f)) {
      if (!seenNonZero) {
        if (*f == '0') {
          ++fractionZeros;
        } else {
          seenNonZero = true;
        }
      }
      ++f;
    }
    anyDigit = anyDigit || f != q + 1;
    q = f;
  }
  if (!anyDigit) return 0.0;
  long exponent = 0;
  if (*q == 'e' || *q == 'E') {
    const char* e = q + 1;
    bool expNegative = false;
    if (*e == '+' || *e == '-') {
      expNegative = *e == '-';
      ++e;
    }
    if (IsDigit(*e)) {
      while (IsDigit(*e)) {
        if (exponent < 100000) exponent = exponent * 10 + (*e - '0');
        ++e;
      }
      if (expNegative) exponent = -exponent;
      q = e;
    }
  }
  double value = 0.0;
  const std::from_chars_result r = std::from_chars(start, q, value, std::chars_format::general);
  if (r.ec == std::errc::result_out_of_range) {
    // Beyond the doubles: the decimal magnitude tells overflow from underflow.
    const long magnitude = seenNonZero ? (integerDigits > 0 ? integerDigits : -fractionZeros) + exponent
                                       : 0;
    value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (r.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

double ReadInputText(const std::string& controlText) {
  std::string text = controlText.substr(0, kControlTextLimit);
  RemoveBlanks(text);
  return ParseInputValue(text.c_str());
}

}  // namespace quantora
