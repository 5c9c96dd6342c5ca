// A whole conversion typed as one line, "60 mph to km/h": the value, the units of the input
// side, a separator and the units of the output side, read into the choices the main window
// would make by hand (the mode, each slot's quantity, multiplier and unit on both sides, the
// value), or into the reason the line cannot be read.
//
// What the line may hold:
// - a value in the forms the value field takes (none means 1), or a sum of values of one
//   quantity, "5 ft 11 in", read as one value in its last unit;
// - a separator: "to", "into", "as", "->", "=", or "in", which is also the inch: of the ways
//   to split the line, a split at another separator comes first, then the splits at "in" from
//   the left, and the first split whose two sides convert is taken;
// - on each side a unit, or a product and quotient of units ("N m", "lb/in^2", "kg m/s²"),
//   with powers written "^2", "²", "³", "2" after a symbol, "square", "cubic", "squared".
//   Everything after the first "/" or "per" divides. When one catalogue unit is that
//   expression on each side, the conversion is the simple mode with those units, in the
//   quantity where both exist; otherwise the multi-unit mode pairs the units of the two sides
//   by quantity, at most three over three.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "conversion/conversion.h"
#include "numbers/number_format.h"
#include "resources/reporter.h"
#include "units/catalog_file.h"
#include "units/quantity.h"
#include "units/unit_search.h"

namespace quantora {

// Every unit (with its multiplier) whose whole name, symbol or written form the text is, the
// likeliest first; none when the text names no unit.
using UnitResolver = std::function<std::vector<UnitMatch>(const std::string& text)>;

// The factor and offset of every unit of the catalogue, by quantity and unit row, as picking
// the unit reads them from the file.
struct UnitFactor {
  double mult = 1.0;
  double offset = 0.0;
  bool found = false;
};
struct UnitFactorTable {
  std::vector<std::vector<UnitFactor>> units;
};
UnitFactorTable LoadUnitFactorTable(const UnitTables& tables, const UnitCatalogue& catalogue,
                                    const char* path = kUnitsDataFileName,
                                    const DataFileOpener& open = OpenDataFile);

// One side of a slot: the rows of the three lists of the unit selection dialog.
struct TypedUnit {
  int quantity = -1;  // -1: the slot stays empty
  int multiplier = 0;
  int unit = 0;
};
struct TypedSlot {
  TypedUnit input;
  TypedUnit output;
};

struct TypedConversion {
  bool ok = false;
  std::string reason;  // why the text cannot be read, naming the word at fault
  bool multiUnit = false;
  double value = 1.0;
  // Simple mode: slot 0. Multi-unit mode: 0..2 the numerators, 3..5 the denominators.
  TypedSlot slots[kSlotCount];
};

class TypedConversionReader {
 public:
  TypedConversionReader(const UnitTables& tables, UnitCatalogue catalogue,
                        UnitFactorTable factors, UnitResolver resolver);
  ~TypedConversionReader();
  TypedConversionReader(const TypedConversionReader&) = delete;
  TypedConversionReader& operator=(const TypedConversionReader&) = delete;

  TypedConversion Read(const std::string& text) const;

  // How the text was read and its result, "60 mile per hour = 96.561 kilometer per hour", the
  // result in the given format; or the reason; "" for a text without a word.
  std::string Line(const std::string& text, const NumericFormat& format) const;
  // The result the main window will show for the reading.
  double Result(const TypedConversion& conversion) const;
  // The label of one side as the main window shows it ("mile per hour", "gallon; US per mile").
  std::string SideLabel(const TypedConversion& conversion, bool inputSide) const;

  // Puts the reading into the state as picking each unit by hand would, reading the units
  // from the file at dataPath. Changes nothing and returns false when the file no longer
  // holds the units read (after the readers' messages, if any).
  bool Apply(const TypedConversion& conversion, ConversionState& state, Reporter& reporter,
             const char* dataPath) const;

  // The catalogue units whose names are made of other units, by what they are made of.
  struct Index;

 private:
  const UnitTables& tables_;
  UnitCatalogue catalogue_;
  UnitFactorTable factors_;
  UnitResolver resolver_;
  std::unique_ptr<Index> index_;
};

// The reader the program uses: the catalogue at dataPath with its factors, and the names of
// the vocabulary file beside it.
std::unique_ptr<TypedConversionReader> LoadTypedConversionReader(const UnitTables& tables,
                                                                 const char* dataPath);

}  // namespace quantora
