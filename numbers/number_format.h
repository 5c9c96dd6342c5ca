// Every number the user sees goes through FormatValue: scientific, engineering or fixed
// decimal, rounded half away from zero on the 17-significant-digit expansion of the double,
// with '.' as the decimal point whatever the locale.
#pragma once

#include <cstdint>
#include <string>

namespace quantora {

enum Notation : std::int32_t { SCIENTIFIC = 0, ENGINEERING = 1, FIXED_DECIMAL = 2 };

struct NumericFormat {
  Notation ValueDisplayType = ENGINEERING;
  std::int32_t SignificantDigits = 5;      // 1..8
  std::int32_t PlacesRightOfDecimal = 5;   // 0..8
  std::int32_t TruncateTrailingZeroes = 0; // 0 or 1
};

constexpr int kMinSignificantDigits = 1;
constexpr int kMaxSignificantDigits = 8;
constexpr int kMinPlaces = 0;
constexpr int kMaxPlaces = 8;
constexpr int kMaxFormattedLength = 16;  // longest text FormatValue returns
constexpr int kMaxFixedLength = 12;      // a longer fixed-decimal text falls back to scientific

std::string FormatValue(double value, const NumericFormat& format);

}  // namespace quantora
