#include "numbers/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <tuple>
#include <utility>

#include "numbers/number_text.h"

namespace quantora {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr Notation E = ENGINEERING, S = SCIENTIFIC, F = FIXED_DECIMAL;

// Formats are {notation, significant digits, places, truncate}. Rounding is half away from
// zero on the stored double: 2.675 is stored just below the half, 0.125 exactly on it. What
// only the value's accuracy and sign decide is left to the read-back test below.
TEST(FormatValue, TextsWorkedOutByHand) {
  const std::tuple<double, NumericFormat, const char*> rows[] = {
      {1234.5678, {E, 5, 5, 0}, "1.2346 E3"},
      {0, {E, 5, 5, 0}, "000.00"},
      {-0.0, {E, 5, 5, 1}, "000"},
      {999.995, {E, 5, 5, 0}, "1.0000 E3"},
      {0.0025, {E, 8, 5, 1}, "2.5 E-3"},
      {0.0625, {E, 3, 5, 0}, "62.5 E-3"},
      {-2.5e-322, {E, 8, 5, 0}, "-251.97348 E-324"},
      {100000, {E, 1, 5, 1}, "100 E3"},
      {0.000123456, {S, 1, 5, 0}, "1 E-4"},
      {0, {S, 5, 5, 0}, "0.0000"},
      {0.125, {S, 2, 5, 0}, "1.3 E-1"},
      {2.675, {S, 3, 5, 0}, "2.67"},
      {9.99995, {S, 5, 5, 1}, "1 E1"},
      {-kMax, {S, 8, 5, 0}, "-1.7976931 E308"},
      {0, {F, 5, 5, 0}, "0.00000"},
      {2.5, {F, 5, 0, 0}, "3"},
      {0.5, {F, 5, 2, 0}, "0.50"},
      {-0.004, {F, 5, 2, 1}, "-0"},
      // Twelve characters stay fixed decimal, thirteen turn scientific, counted after the
      // truncation and after a round-up that adds a digit.
      {123456789.12, {F, 5, 2, 0}, "123456789.12"},
      {-123456789.1, {F, 5, 2, 1}, "-123456789.1"},
      {-99999999999.5, {F, 5, 0, 0}, "-1.0000 E11"},
      {kInf, {F, 8, 8, 1}, "Infinity"},
      {-kInf, {S, 5, 5, 0}, "-Infinity"},
      {std::nan(""), {E, 5, 5, 0}, "Undefined"},
  };
  for (const auto& [value, f, text] : rows) {
    EXPECT_EQ(FormatValue(value, f), text) << value << " in " << f.ValueDisplayType;
  }
}

// Every text, read back as a number, lies within half a unit of its last digit shown.
void CheckReadBack(double value, const NumericFormat& f) {
  const std::string text = FormatValue(value, f);
  SCOPED_TRACE(std::to_string(value) + " -> \"" + text + "\"");
  const bool fixed = f.ValueDisplayType == F && text.find('E') == std::string::npos;
  ASSERT_LE(text.size(), static_cast<std::size_t>(fixed ? kMaxFixedLength : kMaxFormattedLength));
  std::string compact = text;
  const std::size_t exponent = text.find(" E");
  if (exponent != std::string::npos) compact.replace(exponent, 2, "e");
  char* end = nullptr;
  const long double error = std::fabs(std::strtold(compact.c_str(), &end) - value);
  ASSERT_EQ(*end, '\0');
  const std::size_t point = text.find('.');
  if (fixed && point != std::string::npos) {
    EXPECT_LE(text.size() - point - 1, static_cast<std::size_t>(f.PlacesRightOfDecimal));
  }
  // The slack covers the subnormal doubles, which carry fewer digits of their own.
  const long double unit = fixed ? std::pow(10.0L, -f.PlacesRightOfDecimal)
                                 : std::pow(10.0L, 1 - f.SignificantDigits) * std::fabs(value);
  EXPECT_LE(error, 0.5L * unit * (1 + 1e-9L) + std::fabs(value) * 1e-15L + 1e-330L);
  EXPECT_EQ(text[0] == '-', value < 0);
}

TEST(FormatValue, RandomValuesReadBackWithinTheirLastDigit) {
  std::mt19937_64 rng(20260611);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> wide(-325, 308), nearFixedLimit(-10, 13);
  for (int i = 0; i < 3000 && !::testing::Test::HasFatalFailure(); ++i) {
    // Values over the whole range, and values where the twelve-character rule decides.
    const double value =
        (i % 3 ? 1 : -1) * mantissa(rng) * std::pow(10.0, i % 2 ? wide(rng) : nearFixedLimit(rng));
    if (!std::isfinite(value)) continue;
    for (int truncate = 0; truncate <= 1; ++truncate) {
      const int digits = 1 + i % kMaxSignificantDigits;
      CheckReadBack(value, {S, digits, 5, truncate});
      CheckReadBack(value, {E, digits, 5, truncate});
      for (int p = kMinPlaces; p <= kMaxPlaces; ++p) CheckReadBack(value, {F, digits, p, truncate});
    }
  }
}

// A typed value is the leading decimal number of the control's first 49 characters, blanks
// removed; no number reads as 0, and a number beyond the doubles as infinity or 0.
TEST(TypedValue, ReadsTheLeadingDecimalNumber) {
  const std::string fiftyDigits = std::string(48, '1') + "23";
  const std::pair<std::string, double> rows[] = {
      {"1 000", 1000.0},     {"1,5", 1.0},      {"\t 7", 7.0},         {"+.5", 0.5},    {"5.", 5.0},
      {" -.5e-3x", -0.0005}, {"2.5e+", 2.5},    {"1.2346 E3", 1234.6}, {"7\t8", 7.0},   {".", 0.0},
      {"0x10", 0.0},         {"-1e999", -kInf}, {".5e999", kInf},      {"1e-999", 0.0},
  };
  for (const auto& [text, value] : rows)
    EXPECT_EQ(ReadInputText(text), value) << '"' << text << '"';
  EXPECT_TRUE(std::signbit(ReadInputText("-0")));
  EXPECT_EQ(ReadInputText(fiftyDigits), std::strtod(fiftyDigits.substr(0, 49).c_str(), nullptr));
  // A factor of the units data file is not cut: every digit counts.
  EXPECT_EQ(ParseInputValue(("0." + std::string(400, '0') + "1e999").c_str()), kInf);
  EXPECT_EQ(ParseInputValue((std::string(400, '1') + "e-999").c_str()), 0.0);
}

}  // namespace
}  // namespace quantora
