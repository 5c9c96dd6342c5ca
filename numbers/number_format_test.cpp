#include "numbers/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace quantora {
namespace {

constexpr double kMaxDouble = std::numeric_limits<double>::max();
constexpr double kMinSubnormal = std::numeric_limits<double>::denorm_min();
constexpr double kInf = std::numeric_limits<double>::infinity();

NumericFormat Format(Notation type, int digits = 5, int places = 5, int truncate = 0) {
  NumericFormat f;
  f.ValueDisplayType = type;
  f.SignificantDigits = digits;
  f.PlacesRightOfDecimal = places;
  f.TruncateTrailingZeroes = truncate;
  return f;
}

const char* Name(Notation type) {
  return type == SCIENTIFIC ? "SCIENTIFIC" : type == ENGINEERING ? "ENGINEERING" : "FIXED_DECIMAL";
}

std::string Describe(double value, const NumericFormat& f) {
  char buf[160];
  std::snprintf(buf, sizeof buf, "value %.17g, %s, %d digits, %d places, truncate %d", value,
                Name(f.ValueDisplayType), f.SignificantDigits, f.PlacesRightOfDecimal,
                f.TruncateTrailingZeroes);
  return buf;
}

struct FormatRow {
  double value;
  NumericFormat format;
  const char* expected;
};

// Values and settings with the text the user sees, worked out by hand. The initial settings
// are 5 digits, 5 places and no truncation unless the row says otherwise.
TEST(FormatValue, Cases) {
  const FormatRow rows[] = {
      {1234.5678, Format(ENGINEERING), "1.2346 E3"},
      {1234.5678, Format(SCIENTIFIC), "1.2346 E3"},
      {1234.5678, Format(FIXED_DECIMAL), "1234.56780"},
      {0.000123456, Format(ENGINEERING), "123.46 E-6"},
      {0.000123456, Format(SCIENTIFIC), "1.2346 E-4"},
      {-98765.4321, Format(ENGINEERING), "-98.765 E3"},
      {999999, Format(ENGINEERING), "1.0000 E6"},
      {0.6, Format(ENGINEERING), "600.00 E-3"},
      {15, Format(ENGINEERING), "15.000"},
      {15, Format(SCIENTIFIC), "1.5000 E1"},
      {1.5, Format(SCIENTIFIC), "1.5000"},
      {0, Format(ENGINEERING), "000.00"},
      {0, Format(SCIENTIFIC), "0.0000"},
      {0, Format(FIXED_DECIMAL), "0.00000"},
      {1, Format(FIXED_DECIMAL), "1.00000"},
      {500, Format(ENGINEERING, 2), "500"},
      {0.125, Format(SCIENTIFIC, 2), "1.3 E-1"},
      {2.675, Format(SCIENTIFIC, 3), "2.67"},
      {1200, Format(SCIENTIFIC, 3, 5, 1), "1.2 E3"},
      {120, Format(ENGINEERING, 3, 5, 1), "120"},
      {0, Format(ENGINEERING, 5, 5, 1), "000"},
      {1.5e-7, Format(ENGINEERING, 4), "150.0 E-9"},
      {1e308, Format(ENGINEERING), "100.00 E306"},
      {1e308, Format(SCIENTIFIC), "1.0000 E308"},
      {9.996, Format(FIXED_DECIMAL, 5, 2), "10.00"},
      {0.006, Format(FIXED_DECIMAL, 5, 2), "0.01"},
      {-0.001, Format(FIXED_DECIMAL, 5, 2), "-0.00"},
      {-0.001, Format(FIXED_DECIMAL, 5, 2, 1), "-0"},
      {9.7, Format(FIXED_DECIMAL, 5, 0), "10"},
      {0.4, Format(FIXED_DECIMAL, 5, 0), "0"},
      {0.5, Format(FIXED_DECIMAL, 5, 0), "1"},
      {2.5, Format(FIXED_DECIMAL, 5, 0), "3"},
      {100, Format(FIXED_DECIMAL, 5, 0, 1), "100"},
      {123456789.12, Format(FIXED_DECIMAL, 5, 2), "123456789.12"},
      {1234567890.5, Format(FIXED_DECIMAL, 5, 2), "1.2346 E9"},
      {1234567890.5, Format(FIXED_DECIMAL, 5, 2, 1), "1234567890.5"},
      {1e-300, Format(FIXED_DECIMAL), "0.00000"},
      // A round-up through every digit adds an integer digit, and may change the exponent or
      // the engineering grouping.
      // 9.99995 is stored a hair above, so it rounds up at the fifth digit.
      {9.99995, Format(SCIENTIFIC), "1.0000 E1"},
      {9.99995, Format(ENGINEERING), "10.000"},
      {9.99995, Format(FIXED_DECIMAL, 5, 5), "9.99995"},
      {9.99995, Format(FIXED_DECIMAL, 5, 4), "10.0000"},
      {9.99995, Format(SCIENTIFIC, 5, 5, 1), "1 E1"},
      {999.995, Format(ENGINEERING), "1.0000 E3"},
      {999.995, Format(SCIENTIFIC), "1.0000 E3"},
      {999.995, Format(FIXED_DECIMAL, 5, 2), "1000.00"},
      {-999.995, Format(ENGINEERING, 5, 5, 1), "-1 E3"},
      {0.000999996, Format(SCIENTIFIC), "1.0000 E-3"},
      {0.000999996, Format(ENGINEERING), "1.0000 E-3"},
      {0.000999996, Format(ENGINEERING, 6), "999.996 E-6"},
      {0.000999996, Format(FIXED_DECIMAL), "0.00100"},
      {0.000999996, Format(FIXED_DECIMAL, 5, 5, 1), "0.001"},
      {99.96, Format(SCIENTIFIC, 3), "1.00 E2"},
      {99.96, Format(ENGINEERING, 3), "100"},
      {99999999999.5, Format(FIXED_DECIMAL, 5, 0), "100000000000"},
      {-99999999999.5, Format(FIXED_DECIMAL, 5, 0), "-1.0000 E11"},
      {999999999.995, Format(FIXED_DECIMAL, 5, 2), "1.0000 E9"},
      {999999999.995, Format(FIXED_DECIMAL, 5, 2, 1), "1000000000"},
      // Rounding works on the 17-digit expansion of the stored double: a value stored just
      // below a half rounds down, an exact half rounds away from zero.
      {2.675, Format(FIXED_DECIMAL, 5, 2), "2.67"},
      {-2.675, Format(ENGINEERING, 3), "-2.67"},
      {1.005, Format(SCIENTIFIC, 3), "1.00"},
      {1.005, Format(FIXED_DECIMAL, 5, 2), "1.00"},
      {0.125, Format(FIXED_DECIMAL, 5, 2), "0.13"},
      {-0.125, Format(FIXED_DECIMAL, 5, 2), "-0.13"},
      {0.125, Format(ENGINEERING, 2), "130 E-3"},
      {-0.0625, Format(FIXED_DECIMAL, 5, 3), "-0.063"},
      // 1e23 is stored as 99999999999999991611392.
      {1e23, Format(SCIENTIFIC), "1.0000 E23"},
      {1e23, Format(ENGINEERING), "100.00 E21"},
      {1e23, Format(SCIENTIFIC, 8), "1.0000000 E23"},
      {1e23, Format(FIXED_DECIMAL), "1.0000 E23"},
      // Negative zero reads like zero.
      {-0.0, Format(SCIENTIFIC), "0.0000"},
      {-0.0, Format(ENGINEERING), "000.00"},
      {-0.0, Format(FIXED_DECIMAL), "0.00000"},
      {-0.0, Format(SCIENTIFIC, 5, 5, 1), "0"},
      {-0.0, Format(ENGINEERING, 5, 5, 1), "000"},
      {-0.0, Format(FIXED_DECIMAL, 5, 5, 1), "0"},
      {-0.0, Format(FIXED_DECIMAL, 5, 0), "0"},
      {-0.0, Format(SCIENTIFIC, 1), "0"},
      {-0.0, Format(ENGINEERING, 1), "000"},
      // The extremes of the range.
      {kMinSubnormal, Format(SCIENTIFIC), "4.9407 E-324"},
      {kMinSubnormal, Format(ENGINEERING), "4.9407 E-324"},
      {kMinSubnormal, Format(FIXED_DECIMAL), "0.00000"},
      {-kMinSubnormal, Format(FIXED_DECIMAL), "-0.00000"},
      {-kMinSubnormal, Format(SCIENTIFIC, 8), "-4.9406565 E-324"},
      {-kMinSubnormal, Format(ENGINEERING, 8), "-4.9406565 E-324"},
      {-2.5e-322, Format(ENGINEERING, 8), "-251.97348 E-324"},  // stored as 51 x 2^-1074
      {1e308, Format(FIXED_DECIMAL), "1.0000 E308"},
      {-kMaxDouble, Format(SCIENTIFIC), "-1.7977 E308"},
      {-kMaxDouble, Format(ENGINEERING), "-179.77 E306"},
      {-kMaxDouble, Format(FIXED_DECIMAL), "-1.7977 E308"},
      {-kMaxDouble, Format(SCIENTIFIC, 8), "-1.7976931 E308"},
      {-kMaxDouble, Format(ENGINEERING, 8), "-179.76931 E306"},
      {kMaxDouble, Format(FIXED_DECIMAL, 8, 8, 1), "1.7976931 E308"},
      // Exactly 12 characters stay fixed decimal; 13 are replaced, measured after truncation.
      {-123456789.12, Format(FIXED_DECIMAL, 5, 2), "-1.2346 E8"},
      {-123456789.1, Format(FIXED_DECIMAL, 5, 2), "-1.2346 E8"},
      {-123456789.1, Format(FIXED_DECIMAL, 5, 2, 1), "-123456789.1"},
      {-123456789.1, Format(FIXED_DECIMAL, 3, 2, 1), "-123456789.1"},
      {123.456789012, Format(FIXED_DECIMAL, 5, 8), "123.45678901"},
      {1234.56789012, Format(FIXED_DECIMAL, 5, 8), "1.2346 E3"},
      {1234.5, Format(FIXED_DECIMAL, 5, 8, 1), "1234.5"},
      {1234.5, Format(FIXED_DECIMAL, 5, 8, 0), "1.2345 E3"},  // 1234.5 is exact: 1.2345|0
      {-1234.5, Format(FIXED_DECIMAL, 3, 8, 1), "-1234.5"},
      {-12345678.5, Format(FIXED_DECIMAL, 3, 8), "-1.23 E7"},
      {-12345678.5, Format(FIXED_DECIMAL, 3, 8, 1), "-12345678.5"},
      {123456789012.0, Format(FIXED_DECIMAL, 5, 0), "123456789012"},
      {1234567890123.0, Format(FIXED_DECIMAL, 5, 0), "1.2346 E12"},
      {1234567890123.0, Format(FIXED_DECIMAL, 2, 0, 1), "1.2 E12"},
      {1e12, Format(FIXED_DECIMAL, 5, 0, 1), "1 E12"},
      {1e11, Format(FIXED_DECIMAL, 5, 0, 1), "100000000000"},
      {-1e11, Format(FIXED_DECIMAL, 5, 0, 1), "-1 E11"},
      // Truncation in every notation.
      {1.0, Format(SCIENTIFIC, 5, 5, 1), "1"},
      {-1.25, Format(SCIENTIFIC, 5, 5, 1), "-1.25"},
      {1000, Format(ENGINEERING, 5, 5, 1), "1 E3"},
      {1.5e-7, Format(ENGINEERING, 4, 5, 1), "150 E-9"},
      {0.0025, Format(ENGINEERING, 8, 5, 1), "2.5 E-3"},
      {2.5, Format(FIXED_DECIMAL, 5, 5, 1), "2.5"},
      {2.0, Format(FIXED_DECIMAL, 5, 5, 1), "2"},
      {0.0, Format(FIXED_DECIMAL, 5, 0, 1), "0"},
      {-0.004, Format(FIXED_DECIMAL, 5, 2, 1), "-0"},
      {1200, Format(ENGINEERING, 5, 5, 1), "1.2 E3"},
      {120000, Format(ENGINEERING, 5, 5, 1), "120 E3"},
      {100000, Format(ENGINEERING, 1, 5, 1), "100 E3"},
  };
  for (const FormatRow& row : rows) {
    EXPECT_EQ(FormatValue(row.value, row.format), row.expected) << Describe(row.value, row.format);
  }
}

TEST(FormatValue, SignificantDigitsSweep) {
  const char* scientific[] = {"1 E-4",      "1.2 E-4",     "1.23 E-4",     "1.235 E-4",
                              "1.2346 E-4", "1.23456 E-4", "1.234560 E-4", "1.2345600 E-4"};
  const char* engineering[] = {"600",    "570",     "568",      "567.9",
                               "567.89", "567.891", "567.8910", "567.89100"};
  // -7.65625e-9 is stored as -7.6562499999999995e-9: five digits round down, six round up.
  const char* negativeSmall[] = {"-8 E-9",      "-7.7 E-9",     "-7.66 E-9",     "-7.656 E-9",
                                 "-7.6562 E-9", "-7.65625 E-9", "-7.656250 E-9", "-7.6562500 E-9"};
  for (int s = 1; s <= 8; ++s) {
    EXPECT_EQ(FormatValue(0.000123456, Format(SCIENTIFIC, s)), scientific[s - 1]) << s << " digits";
    EXPECT_EQ(FormatValue(567.891, Format(ENGINEERING, s)), engineering[s - 1]) << s << " digits";
    EXPECT_EQ(FormatValue(-7.65625e-9, Format(SCIENTIFIC, s)), negativeSmall[s - 1]) << s << " digits";
    EXPECT_EQ(FormatValue(-7.65625e-9, Format(ENGINEERING, s)), negativeSmall[s - 1])
        << s << " digits";
  }
}

TEST(FormatValue, PlacesSweep) {
  const char* pi[] = {"3",      "3.1",     "3.14",      "3.142",     "3.1416",
                      "3.14159", "3.141593", "3.1415927", "3.14159265"};
  const char* negativeSixteenth[] = {"-0",      "-0.1",     "-0.06",     "-0.063",    "-0.0625",
                                     "-0.06250", "-0.062500", "-0.0625000", "-0.06250000"};
  const char* negativeSixteenthTruncated[] = {"-0",     "-0.1",   "-0.06",  "-0.063", "-0.0625",
                                              "-0.0625", "-0.0625", "-0.0625", "-0.0625"};
  for (int p = 0; p <= 8; ++p) {
    EXPECT_EQ(FormatValue(3.14159265358979, Format(FIXED_DECIMAL, 5, p)), pi[p]) << p << " places";
    EXPECT_EQ(FormatValue(-0.0625, Format(FIXED_DECIMAL, 5, p)), negativeSixteenth[p]) << p << " places";
    EXPECT_EQ(FormatValue(-0.0625, Format(FIXED_DECIMAL, 5, p, 1)), negativeSixteenthTruncated[p])
        << p << " places";
  }
}

TEST(FormatValue, NonFiniteValuesInEveryNotation) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (Notation type : {SCIENTIFIC, ENGINEERING, FIXED_DECIMAL}) {
    for (int truncate = 0; truncate <= 1; ++truncate) {
      const NumericFormat f = Format(type, 8, 8, truncate);
      EXPECT_EQ(FormatValue(kInf, f), "Infinity") << Name(type);
      EXPECT_EQ(FormatValue(-kInf, f), "-Infinity") << Name(type);
      EXPECT_EQ(FormatValue(nan, f), "Undefined") << Name(type);
      EXPECT_EQ(FormatValue(-nan, f), "Undefined") << Name(type);
    }
  }
}

// Reads a formatted text back the way the input field would: blanks removed, then the number
// parsed. long double keeps the read-back of texts just past the double range finite.
long double ReadBack(const std::string& text) {
  std::string compact;
  for (char c : text) {
    if (c != ' ') compact.push_back(c);
  }
  char* end = nullptr;
  const long double v = std::strtold(compact.c_str(), &end);
  EXPECT_EQ(*end, '\0') << "unparsed rest in \"" << text << "\"";
  return v;
}

bool OnlyNotationCharacters(const std::string& text) {
  for (char c : text) {
    if (!((c >= '0' && c <= '9') || c == '-' || c == '.' || c == ' ' || c == 'E')) return false;
  }
  return true;
}

// What the shown digits promise: within half a unit of the last significant digit shown.
long double SignificantBound(double value, int digits) {
  return 0.5L * std::pow(10.0L, 1 - digits) * std::fabs(static_cast<long double>(value)) * (1 + 1e-12L);
}

void CheckText(double value, const NumericFormat& f) {
  const std::string text = FormatValue(value, f);
  SCOPED_TRACE(Describe(value, f) + " -> \"" + text + "\"");
  ASSERT_FALSE(text.empty());
  ASSERT_LE(text.size(), static_cast<std::size_t>(kMaxFormattedLength));
  ASSERT_TRUE(OnlyNotationCharacters(text));
  const bool hasExponent = text.find('E') != std::string::npos;
  if (hasExponent) {
    EXPECT_NE(text.find(" E"), std::string::npos);
  }
  const long double back = ReadBack(text);
  const long double error = std::fabs(back - static_cast<long double>(value));
  if (f.ValueDisplayType == FIXED_DECIMAL && !hasExponent) {
    ASSERT_LE(text.size(), static_cast<std::size_t>(kMaxFixedLength));
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
      EXPECT_LE(text.size() - point - 1, static_cast<std::size_t>(f.PlacesRightOfDecimal));
    }
    const long double bound = 0.5L * std::pow(10.0L, -f.PlacesRightOfDecimal) * (1 + 1e-9L) +
                              std::fabs(static_cast<long double>(value)) * 1e-15L;
    EXPECT_LE(error, bound);
  } else {
    // Subnormal doubles carry fewer than 17 digits of their own; the slack covers them.
    EXPECT_LE(error, SignificantBound(value, f.SignificantDigits) + 1e-330L);
  }
  // A value below zero shows its sign in every notation, even when it rounds to zero.
  EXPECT_EQ(text[0] == '-', value < 0);
}

double RandomValue(std::mt19937_64& rng) {
  // Half of the values spread evenly over the decimal exponents, half from raw bit patterns,
  // which bring subnormals and the extremes of the range.
  if (rng() % 2 == 0) {
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-325, 308);
    for (;;) {
      const double v = mantissa(rng) * std::pow(10.0, exponent(rng));
      if (std::isfinite(v)) return (rng() % 2 == 0) ? v : -v;
    }
  }
  for (;;) {
    const std::uint64_t bits = rng();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    if (std::isfinite(v)) return v;
  }
}

TEST(FormatValue, RandomValuesStayShortAndReadBack) {
  std::mt19937_64 rng(20260611);
  for (int i = 0; i < 3000; ++i) {
    const double value = RandomValue(rng);
    for (int truncate = 0; truncate <= 1; ++truncate) {
      for (int s = kMinSignificantDigits; s <= kMaxSignificantDigits; ++s) {
        CheckText(value, Format(SCIENTIFIC, s, 5, truncate));
        CheckText(value, Format(ENGINEERING, s, 5, truncate));
        for (int p = kMinPlaces; p <= kMaxPlaces; ++p) CheckText(value, Format(FIXED_DECIMAL, s, p, truncate));
      }
    }
    if (::testing::Test::HasFatalFailure()) return;
  }
}

// Values near the fixed-decimal limit, where the 12-character rule decides.
TEST(FormatValue, ValuesAroundTheFixedLimitReadBack) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-10, 13);
  for (int i = 0; i < 2000; ++i) {
    double value = mantissa(rng) * std::pow(10.0, exponent(rng));
    if (i % 2) value = -value;
    for (int truncate = 0; truncate <= 1; ++truncate) {
      for (int p = kMinPlaces; p <= kMaxPlaces; ++p) CheckText(value, Format(FIXED_DECIMAL, 1 + i % 8, p, truncate));
    }
    if (::testing::Test::HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace quantora
