// FormatValue in each notation against the C library's "%.*e" with the same five significant
// digits, over one fixed array of values spread across the whole exponent range.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "numbers/number_format.h"

namespace {

std::vector<double> MakeValues(int minExponent, int maxExponent) {
  std::vector<double> v;
  std::mt19937_64 rng(12345);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(minExponent, maxExponent);
  for (int i = 0; i < 4096; ++i) {
    const double x = mantissa(rng) * std::pow(10.0, exponent(rng));
    v.push_back(i % 2 ? -x : x);
  }
  return v;
}

// The whole range, where most fixed-decimal texts are too long and fall back to scientific.
const std::vector<double>& Values() {
  static const std::vector<double> values = MakeValues(-300, 300);
  return values;
}

// Magnitudes a user types every day, where the fixed-decimal text is written out in full.
const std::vector<double>& EverydayValues() {
  static const std::vector<double> values = MakeValues(-4, 9);
  return values;
}

void RunFormat(benchmark::State& state, quantora::Notation type,
               const std::vector<double>& values = Values()) {
  quantora::NumericFormat format;
  format.ValueDisplayType = type;
  format.SignificantDigits = 5;
  format.PlacesRightOfDecimal = 5;
  std::size_t i = 0;
  for (auto _ : state) {
    std::string text = quantora::FormatValue(values[i], format);
    benchmark::DoNotOptimize(text.data());
    if (++i == values.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_FormatValue_Engineering(benchmark::State& state) { RunFormat(state, quantora::ENGINEERING); }
void BM_FormatValue_Scientific(benchmark::State& state) { RunFormat(state, quantora::SCIENTIFIC); }
void BM_FormatValue_FixedDecimal(benchmark::State& state) { RunFormat(state, quantora::FIXED_DECIMAL); }

void RunSnprintf(benchmark::State& state, const std::vector<double>& values) {
  std::size_t i = 0;
  char buf[32];
  for (auto _ : state) {
    const int n = std::snprintf(buf, sizeof buf, "%.*e", 4, values[i]);
    benchmark::DoNotOptimize(n);
    benchmark::DoNotOptimize(buf);
    if (++i == values.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_Snprintf_E4(benchmark::State& state) { RunSnprintf(state, Values()); }
void BM_Snprintf_E4_Everyday(benchmark::State& state) { RunSnprintf(state, EverydayValues()); }
void BM_FormatValue_FixedDecimal_Everyday(benchmark::State& state) {
  RunFormat(state, quantora::FIXED_DECIMAL, EverydayValues());
}

BENCHMARK(BM_Snprintf_E4);
BENCHMARK(BM_FormatValue_Engineering);
BENCHMARK(BM_FormatValue_Scientific);
BENCHMARK(BM_FormatValue_FixedDecimal);
BENCHMARK(BM_Snprintf_E4_Everyday);
BENCHMARK(BM_FormatValue_FixedDecimal_Everyday);

}  // namespace
