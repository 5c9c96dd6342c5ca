// Reading a typed conversion over the shipped catalogue, as the dialog does at every key (and
// at start for a command line): a typical text of each kind, against the baseline of one bare
// pass over the catalogue's lines (BM_ShippedCatalogueLinePass, in the same run). Loading the
// reader, done once per dialog, is measured too.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "conversion/typed_conversion.h"
#include "testing/shipped_files_test_util.h"

namespace {

using quantora::ShippedCatalogue;
using quantora::ShippedTables;

const quantora::TypedConversionReader& Reader() {
  static const auto reader =
      quantora::LoadTypedConversionReader(ShippedTables(), ShippedCatalogue().c_str());
  return *reader;
}

const char* const kTexts[] = {
    "60 mile per hour to kilometer per hour",  // simple, one unit a side
    "5 foot 11 inch in centimeter",            // a sum, "in" both ways
    "1 gallon/mile to liter/kilometer",        // multi-unit mode
    "kilogram meter/second^2 to newton",       // no reading converts: every one is tried
};

void BM_ReadTypedConversion(benchmark::State& state) {
  const std::string text = kTexts[state.range(0)];
  const quantora::NumericFormat format;
  std::string line;
  for (auto _ : state) {
    line = Reader().Line(text, format);
    benchmark::DoNotOptimize(line);
  }
  state.SetLabel(line);
}
BENCHMARK(BM_ReadTypedConversion)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_LoadTypedConversionReader(benchmark::State& state) {
  for (auto _ : state) {
    auto reader =
        quantora::LoadTypedConversionReader(ShippedTables(), ShippedCatalogue().c_str());
    benchmark::DoNotOptimize(reader);
  }
}
BENCHMARK(BM_LoadTypedConversionReader)->Unit(benchmark::kMillisecond);

}  // namespace
