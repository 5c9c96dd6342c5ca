// LoadUnitNames on a catalogue at full capacity (50 Dimensions of 180 units) against a bare
// pass that only reads the same file's lines the same way. The last Dimension is the worst
// case: its section is found only after every other line has been read.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "units/catalog_file.h"

namespace {

class NullReporter : public quantora::Reporter {
 public:
  void Beep(unsigned) override {}
  void ShowMessage(const std::string&, const std::string&, unsigned) override {}
};

const std::string& FullCatalogue() {
  static const std::string path = [] {
    const std::string p = (std::filesystem::temp_directory_path() / "quantora-bench-full.txt").string();
    std::ofstream out(p, std::ios::binary);
    out << "; a catalogue at every capacity of the readers\n";
    for (int d = 0; d < quantora::kMaxDimensions; ++d) {
      out << "[Dimension number " << d << "]\n";
      for (int u = 0; u < quantora::kMaxUnits; ++u) {
        out << "unit " << u << " of dimension " << d << "; variant=" << (u + 1) * 0.0254 << ", "
            << u * 0.5 << "\n";
      }
    }
    out << "[MULTIPLIERS]\nkilo=1000\nNo_Multiplier=1\nmilli=0.001\n";
    return p;
  }();
  return path;
}

void BM_BareLinePass(benchmark::State& state) {
  const std::string& path = FullCatalogue();
  for (auto _ : state) {
    std::FILE* f = std::fopen(path.c_str(), "r");
    char line[quantora::kLineBufferSize];
    int lines = 0;
    while (std::fgets(line, sizeof line, f)) ++lines;
    std::fclose(f);
    benchmark::DoNotOptimize(lines);
  }
}
BENCHMARK(BM_BareLinePass);

void BM_LoadUnitNamesLastDimension(benchmark::State& state) {
  const std::string& path = FullCatalogue();
  NullReporter reporter;
  quantora::UnitTables tables;
  quantora::LoadDimensionLabels(reporter, tables, path.c_str());
  quantora::QuantityRecord record;
  for (auto _ : state) {
    record.DimensionIndex = static_cast<std::uint16_t>(tables.NumberOfDimensions - 1);
    quantora::LoadUnitNames(reporter, tables, record, path.c_str());
    benchmark::DoNotOptimize(record.NumberOfUnits);
  }
  if (record.NumberOfUnits != quantora::kMaxUnits) state.SkipWithError("catalogue not full");
}
BENCHMARK(BM_LoadUnitNamesLastDimension);

}  // namespace
