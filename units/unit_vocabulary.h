// The names people write for units, beside the catalogue's own: symbols ("km", "mph", "°F"),
// abbreviations ("sq ft", "lbs"), plurals ("feet", "miles per hour"), spellings ("litre") and
// powers ("m³", "ft2"). They come from the vocabulary file "QANAMES.TXT" beside the units
// catalogue, resolved once against the catalogue; a missing or damaged file leaves only the
// catalogue's names (with their plurals), and the program never writes the file.
#pragma once

#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "units/catalog_file.h"
#include "units/unit_search.h"

namespace quantora {

constexpr const char* kVocabularyFileName = "QANAMES.TXT";

// One way of naming a unit: the unit, and for a name found inside the catalogue, the word
// where a multiplier name may join it ("kilo" + "meter" at word 0, "Square " + "kilo" +
// "meters" at word 1), or -1 where no multiplier may join.
struct NamedUnit {
  UnitMatch match;
  int multiplierWord = -1;
};

// A prefix symbol of the file: "k" for kilo, "Ki" for kibi; one word.
struct PrefixSymbol {
  std::string symbol;
  std::string lower;  // the symbol in lower case
  int multiplier;
  bool multiple;  // a factor above 1: kilo, mega, kibi
};

// A symbol of the file that takes prefix symbols: its first line that takes every prefix
// symbol ("m*") and its first that takes the multiples alone ("B+"), by their place in the file.
struct PrefixedSymbol {
  struct Taken {
    int line = -1;  // none
    UnitMatch match;
  };
  Taken every, multiples;
};

// What the vocabulary file yields, resolved against the catalogue it was read with. It is
// built once per dialog and then only read: its tables and their texts live in one arena of
// its own, released at once, so that building and dropping them costs few allocations.
struct UnitVocabulary {
  template <typename Value>
  using Table = std::pmr::unordered_map<std::string_view, Value>;
  using Texts = std::pmr::vector<std::string_view>;
  using Words = std::pmr::unordered_set<std::string_view>;

  UnitVocabulary();
  UnitVocabulary(UnitVocabulary&&) = default;
  // (Assigned over, the tables would outlive their arena: a new vocabulary is a new object.)
  UnitVocabulary& operator=(UnitVocabulary&&) = delete;

  // A text kept in the arena, as long as the tables: a key or a value of them.
  std::string_view Keep(std::string_view text);

  // (Declared before the tables, which are made in it and must go before it.)
  std::unique_ptr<std::pmr::memory_resource> arena;
  // Symbols exactly as written in the file (letter case kept, blanks made single): "Mm",
  // "km/h", "°F". A prefix symbol joined to a symbol that takes it ("k" + "m") is found at
  // lookup, through the three tables below, where the file writes no symbol of that spelling.
  Table<std::pmr::vector<UnitMatch>> symbols{arena.get()};
  std::vector<PrefixSymbol> prefixes;
  Table<PrefixedSymbol> prefixed{arena.get()};  // by the symbol as written
  // The symbols that take prefixes by their first word in lower case ("" for one that begins
  // with a sign): "m/s" under "m".
  Table<Texts> prefixedByFirstWord{arena.get()};
  // The symbols written in the file by their lower case: "mm" and "Mm" under "mm".
  Table<Texts> spellings{arena.get()};
  // Names in their compared form (lower case, singular, spelled as the catalogue spells them,
  // words joined by one blank): the catalogue's own names, each also without what follows its
  // ";", and every symbol written in the file whose letter case carries no meaning (those
  // made with a prefix are found at lookup).
  Table<std::pmr::vector<NamedUnit>> names{arena.get()};
  // The same names with their words sorted, for "US gallon" as "gallon; US".
  Table<std::pmr::vector<NamedUnit>> wordSets{arena.get()};
  // Words written for other words: "feet" for "foot", "metre" for "meter", "sq" for "square".
  Table<std::string_view> words{arena.get()};
  // Every word of the catalogue's names and every word spelled for another, to tell a plural
  // from a word of its own ("inches", "siemens").
  Words knownWords{arena.get()};
  // The words of the symbols written in the file, lower case: "kgs" is "kg", but "cps" stays a
  // symbol of its own. Those of the symbols made with a prefix are found through the tables.
  Words symbolWords{arena.get()};
  // Per quantity, each plain unit by its label folded as the find field folds it: a unit with a
  // multiplier that shows as a plain unit ("kilo" + "gram") is that plain unit.
  std::pmr::vector<Table<int>> plainLabels{arena.get()};
  // Each multiplier's name in lower case, by its place in the multiplier list.
  std::vector<std::string> multiplierNames;
  int entriesRead = 0;     // lines of the file that named a unit of the catalogue
  int entriesSkipped = 0;  // lines that could not be read or named no unit of the catalogue
};

// Reads the vocabulary file and indexes the catalogue's names. Shows no message: without the
// file the catalogue's names still serve.
UnitVocabulary LoadUnitVocabulary(const UnitTables& tables, const UnitCatalogue& catalogue,
                                  const char* path = kVocabularyFileName,
                                  const DataFileOpener& open = OpenDataFile);

// Every unit (with multiplier) whose whole catalogue name, symbol or vocabulary entry the text
// is: symbols with their letter case where it tells units apart ("mm", "Mm"), names in any
// case, plurals, spellings and powers included; best first (the file's own reading of a
// symbol, then plain before multiplied, then catalogue order); empty when the text names no
// unit exactly. The catalogue is the one the vocabulary was read with.
std::vector<UnitMatch> FindExactUnits(const UnitTables& tables, const UnitCatalogue& catalogue,
                                      const UnitVocabulary& vocabulary, const std::string& text);

// A lower-case word as names are compared: spelled as the catalogue spells it ("metre" is
// "meter") and singular where the singular is a word of some name ("inches" is "inch").
std::string ComparedWord(const UnitVocabulary& vocabulary, const std::string& lowerWord);

// The vocabulary file beside a catalogue path: "data\QUANTORA.TXT" gives "data\QANAMES.TXT".
std::string VocabularyPathBeside(const char* cataloguePath);

}  // namespace quantora
