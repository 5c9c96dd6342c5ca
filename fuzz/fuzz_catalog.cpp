// The whole fuzz input is a units data file: every reader must stay inside its tables, close
// the file and never crash, whatever the file holds. The readers open the input in memory
// (fmemopen), once per call as they open the file by name in the program.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "units/catalog_file.h"

namespace {

class SilentReporter : public quantora::Reporter {
 public:
  void Beep(unsigned) override {}
  void ShowMessage(const std::string& text, const std::string&, unsigned) override {
    if (text.size() > 600) __builtin_trap();  // messages are bounded
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quantora;
  // An empty input still opens, as an empty file does: a stream over a buffer of no bytes.
  static char empty[1];
  void* buffer = size > 0 ? const_cast<std::uint8_t*>(data) : static_cast<void*>(empty);
  // The readers hold one stream at a time, so the streams share one buffer: allocating a
  // fresh one per open costs more than the reading.
  static char streamBuffer[BUFSIZ];
  const DataFileOpener open = [&](const char*) {
    std::FILE* f = fmemopen(buffer, size, "r");
    if (f) std::setvbuf(f, streamBuffer, _IOFBF, sizeof streamBuffer);
    return f;
  };
  const char* path = kUnitsDataFileName;

  SilentReporter reporter;
  UnitTables tables;
  LoadDimensionLabels(reporter, tables, path, open);
  tables.NumberOfScalers = LoadScalers(reporter, tables, path, open);
  if (tables.NumberOfDimensions < 0 || tables.NumberOfDimensions > kMaxDimensions) __builtin_trap();
  if (tables.NumberOfScalers < 0 || tables.NumberOfScalers > kMaxScalers) __builtin_trap();
  for (int d = 0; d < tables.NumberOfDimensions; ++d) {
    if (std::strlen(tables.DimensionLabels[d]) > static_cast<std::size_t>(kMaxNameLength)) __builtin_trap();
  }
  // Every Dimension's names read in one pass are the names each Dimension's reader gives.
  const std::vector<std::vector<std::string>> every = LoadEveryUnitNames(tables, path, open);
  if (every.size() != static_cast<std::size_t>(tables.NumberOfDimensions)) __builtin_trap();
  // Every Dimension, plus indexes that name nothing, through both unit readers.
  const int last = tables.NumberOfDimensions + 2;
  for (int d = 0; d < last; ++d) {
    QuantityRecord record;
    record.DimensionIndex = static_cast<std::uint16_t>(d < tables.NumberOfDimensions ? d : 100 + d);
    const bool read = LoadUnitNames(reporter, tables, record, path, open);
    if (record.NumberOfUnits < 0 || record.NumberOfUnits > kMaxUnits) __builtin_trap();
    const int names = read ? record.NumberOfUnits : 0;
    if (d < tables.NumberOfDimensions &&
        std::vector<std::string>(record.UnitNames, record.UnitNames + names) !=
            every[static_cast<std::size_t>(d)]) {
      __builtin_trap();
    }
    // The first and the last unit on one side, one past the list on the other.
    const int units = record.NumberOfUnits;
    record.Input.UnitIndex = 0;
    record.Output.UnitIndex = static_cast<std::uint16_t>(units);
    LoadUnitFactors(reporter, tables, record, 0, path, open);
    LoadUnitFactors(reporter, tables, record, 1, path, open);
    record.Input.UnitIndex = static_cast<std::uint16_t>(units > 0 ? units - 1 : 0);
    LoadUnitFactors(reporter, tables, record, 0, path, open);
  }
  return 0;
}
