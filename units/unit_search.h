// Finding a unit by typing its name: every quantity's units at once, plain names, the names a
// multiplier makes of them ("kilometer", "Square kilometers") and the names people write for
// them ("km", "miles per hour"), in the order a user most likely means them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "units/catalog_file.h"
#include "units/quantity.h"

namespace quantora {

constexpr int kMaxUnitMatches = 100;

// The unit names of every Dimension of the tables, as the Unit list would hold them (caret
// included), by Dimension index. A Dimension whose section cannot be read has none.
struct UnitCatalogue {
  std::vector<std::vector<std::string>> units;
};

// Reads every Dimension's unit names once, with the same reader the Unit list is filled by,
// so that a match's unit row is the row the list shows. Shows no messages: a quantity that
// cannot be read is reported when the user picks it.
UnitCatalogue LoadUnitCatalogue(const UnitTables& tables, const char* path = kUnitsDataFileName,
                                const DataFileOpener& open = OpenDataFile);

// One unit found: the rows of the three lists that choose it. A plain name has the row of
// "No_Multiplier".
struct UnitMatch {
  int quantity = 0;
  int multiplier = 0;
  int unit = 0;
  bool operator==(const UnitMatch& other) const {
    return quantity == other.quantity && multiplier == other.multiplier && unit == other.unit;
  }
};

struct UnitVocabulary;

// The units the text names, best first: those it names exactly (a whole name, a symbol or an
// entry of the vocabulary), then those whose name begins with it, then those whose name holds
// every word of it (letter case, the caret and punctuation aside; a plural also as its
// singular). Within each, the current quantity's units first, then plain before multiplied,
// then catalogue order. A multiplier form is offered only when the text names the multiplier,
// and not at all when it shows as a plain unit of its quantity. At most kMaxUnitMatches; none
// for a text without words.
std::vector<UnitMatch> FindUnits(const UnitTables& tables, const UnitCatalogue& catalogue,
                                 const UnitVocabulary& vocabulary, const std::string& text,
                                 int currentQuantity);

// The match as the main window labels the unit, with its quantity: "kilometer (Length)".
std::string UnitMatchText(const UnitTables& tables, const UnitCatalogue& catalogue,
                          const UnitMatch& match);

// The find field of the unit selection dialog: the matches of the text typed so far and the
// one shown. The catalogue and the vocabulary beside it are read at the first text with words,
// once per dialog.
class UnitFinder {
 public:
  void Type(const std::string& text, const UnitTables& tables, int currentQuantity,
            const char* dataPath);
  // Down (+1) and Up (-1) within the matches; the first and the last stay put.
  void Step(int delta);
  // nullptr when nothing matches.
  const UnitMatch* Shown() const;
  // The line under the field: the shown match with its place among the matches ("kilometer
  // (Length), 1 of 12") and, when taking it changes the side's quantity, that it does; that
  // nothing matches; or "" for no text.
  std::string Line(const UnitTables& tables) const;
  // Whether the record's Unit list holds the match's unit at its row, as the catalogue read
  // it: false once the file changed under the dialog, so that no other unit is taken.
  bool Lists(const QuantityRecord& record, const UnitMatch& match) const;

 private:
  bool typed_ = false;
  int currentQuantity_ = -1;
  UnitCatalogue catalogue_;
  std::shared_ptr<const UnitVocabulary> vocabulary_;  // read with the catalogue, at the first text
  std::vector<UnitMatch> matches_;
  int shown_ = 0;
};

constexpr const char* kNoUnitMatches = "No unit matches";
// Taking a match of another quantity picks that quantity, which clears both sides' units.
constexpr const char* kChangesQuantity = "; Enter changes the quantity and clears its units";

}  // namespace quantora
