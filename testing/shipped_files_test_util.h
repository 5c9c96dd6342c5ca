// The catalogue the program ships (data/QUANTORA.TXT of the source tree) and the quantities
// and multipliers read from it, for the benchmarks and fuzz targets that run over the files
// the program ships.
#pragma once

#include <filesystem>
#include <string>

#include "testing/recording_reporter_test_util.h"
#include "units/catalog_file.h"

namespace quantora {

inline const std::string& ShippedCatalogue() {
  static const std::string path =
      (std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "QUANTORA.TXT")
          .string();
  return path;
}

inline const UnitTables& ShippedTables() {
  static const UnitTables tables = [] {
    RecordingReporter reporter;
    UnitTables t;
    LoadDimensionLabels(reporter, t, ShippedCatalogue().c_str());
    t.NumberOfScalers = LoadScalers(reporter, t, ShippedCatalogue().c_str());
    return t;
  }();
  return tables;
}

}  // namespace quantora
