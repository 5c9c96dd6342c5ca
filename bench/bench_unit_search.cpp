// One search of the find field over the shipped catalogue (809 units in 50 quantities, 33
// multipliers) and vocabulary, against the baseline of one bare pass over the catalogue's
// lines: the cost of a key press set beside the cost of reading the file once. Reading every
// quantity's units and the vocabulary, done once per dialog, is measured too.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "testing/shipped_files_test_util.h"
#include "units/unit_search.h"
#include "units/unit_vocabulary.h"

namespace {

using quantora::ShippedCatalogue;
using quantora::ShippedTables;

void BM_ShippedCatalogueLinePass(benchmark::State& state) {
  for (auto _ : state) {
    std::FILE* f = std::fopen(ShippedCatalogue().c_str(), "r");
    char line[quantora::kLineBufferSize];
    int lines = 0;
    while (std::fgets(line, sizeof line, f)) ++lines;
    std::fclose(f);
    benchmark::DoNotOptimize(lines);
  }
}
BENCHMARK(BM_ShippedCatalogueLinePass);

void BM_LoadUnitCatalogue(benchmark::State& state) {
  std::size_t quantities = 0;
  for (auto _ : state) {
    quantities =
        quantora::LoadUnitCatalogue(ShippedTables(), ShippedCatalogue().c_str()).units.size();
    benchmark::DoNotOptimize(quantities);
  }
  if (quantities != 50) state.SkipWithError("shipped catalogue not read");
}
BENCHMARK(BM_LoadUnitCatalogue);

// What the find field reads at its first key press: the catalogue's units and the vocabulary.
void BM_LoadCatalogueAndVocabulary(benchmark::State& state) {
  const std::string vocabularyPath = quantora::VocabularyPathBeside(ShippedCatalogue().c_str());
  int entries = 0;
  for (auto _ : state) {
    const quantora::UnitCatalogue catalogue =
        quantora::LoadUnitCatalogue(ShippedTables(), ShippedCatalogue().c_str());
    entries = quantora::LoadUnitVocabulary(ShippedTables(), catalogue, vocabularyPath.c_str())
                  .entriesRead;
    benchmark::DoNotOptimize(entries);
  }
  if (entries == 0) state.SkipWithError("shipped vocabulary not read");
}
BENCHMARK(BM_LoadCatalogueAndVocabulary);

// "microfarad" names a multiplier, so that multiplier's form of every unit is tried; "kilo
// mega" names two. "meter" fills its hundred matches from the plain names alone.
// "lbs per hr" is no name or symbol as it stands, so every reading of its words as symbols
// is tried as well. "KPA" is a symbol made with a prefix, in other capitals: it is found by
// joining the prefix symbol to the symbol at the key press.
void BM_FindUnits(benchmark::State& state, const char* text) {
  const quantora::UnitCatalogue catalogue =
      quantora::LoadUnitCatalogue(ShippedTables(), ShippedCatalogue().c_str());
  const quantora::UnitVocabulary vocabulary = quantora::LoadUnitVocabulary(
      ShippedTables(), catalogue,
      quantora::VocabularyPathBeside(ShippedCatalogue().c_str()).c_str());
  std::size_t found = 0;
  for (auto _ : state) {
    found = quantora::FindUnits(ShippedTables(), catalogue, vocabulary, text, 0).size();
    benchmark::DoNotOptimize(found);
  }
  if (found == 0) state.SkipWithError("nothing found");
}
BENCHMARK_CAPTURE(BM_FindUnits, microfarad, "microfarad");
BENCHMARK_CAPTURE(BM_FindUnits, meter, "meter");
BENCHMARK_CAPTURE(BM_FindUnits, foot_us, "foot us");
BENCHMARK_CAPTURE(BM_FindUnits, kilo_mega, "kilo mega");
BENCHMARK_CAPTURE(BM_FindUnits, lbs_per_hr, "lbs per hr");
BENCHMARK_CAPTURE(BM_FindUnits, km_h, "km/h");
BENCHMARK_CAPTURE(BM_FindUnits, KPA, "KPA");

}  // namespace
