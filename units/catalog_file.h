// The readers of the units data file "QUANTORA.TXT": the Dimension labels and the multiplier
// table at start-up, the unit names of a slot's Dimension and the factor and offset of one
// unit on demand. Each opens the file, reads it from the top in lines of at most 99
// characters (a longer line arrives in pieces) and closes it; none writes past a table.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "resources/reporter.h"
#include "units/quantity.h"

namespace quantora {

constexpr const char* kUnitsDataFileName = "QUANTORA.TXT";
constexpr int kLineBufferSize = 100;  // fgets-sized: 99 characters and the NUL

// How a reader opens the file it is given: a stream to read from the top, or null when the
// file cannot be read. The reader closes the stream with fclose. The program opens files by
// name (OpenDataFile); a caller may serve the text from elsewhere, from memory for instance.
using DataFileOpener = std::function<std::FILE*(const char* path)>;

// fopen(path, "r").
std::FILE* OpenDataFile(const char* path);

// path defaults to the bare name, relative to the working directory; the messages always
// name the file by its last path component.
void LoadDimensionLabels(Reporter& reporter, UnitTables& tables,
                         const char* path = kUnitsDataFileName,
                         const DataFileOpener& open = OpenDataFile);

// Returns the count of multiplier entries (0 on any failure, after its message).
int LoadScalers(Reporter& reporter, UnitTables& tables, const char* path = kUnitsDataFileName,
                const DataFileOpener& open = OpenDataFile);

// A DimensionIndex above 100 becomes 9999 first; a Dimension not found in the file leaves the
// unit list as it was, after a message. Returns whether the list was read.
bool LoadUnitNames(Reporter& reporter, const UnitTables& tables, QuantityRecord& record,
                   const char* path = kUnitsDataFileName,
                   const DataFileOpener& open = OpenDataFile);

// Every Dimension's unit names, by Dimension index, exactly as LoadUnitNames reads each (the
// same rows and caps; none for a Dimension whose section cannot be found or a file that cannot
// be opened), from one reading of the file. Shows no messages.
std::vector<std::vector<std::string>> LoadEveryUnitNames(const UnitTables& tables,
                                                         const char* path = kUnitsDataFileName,
                                                         const DataFileOpener& open = OpenDataFile);

// side 0 is the input side, any other value the output side. Returns whether the unit's line
// was found and read; otherwise the side's factor and offset are unchanged.
bool LoadUnitFactors(Reporter& reporter, const UnitTables& tables, QuantityRecord& record,
                     int side, const char* path = kUnitsDataFileName,
                     const DataFileOpener& open = OpenDataFile);

// The name the messages give a data file: the last component of its path.
const char* DataFileName(const char* path);

void ReportDataFileUnreadable(Reporter& reporter, const char* fileName = kUnitsDataFileName);
void ReportMultipliersLabelMissing(Reporter& reporter, const char* fileName = kUnitsDataFileName);
void ReportNoMultipliers(Reporter& reporter, const char* fileName = kUnitsDataFileName);

}  // namespace quantora
