#include "units/unit_vocabulary.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string_view>
#include <tuple>

namespace quantora {
namespace {

constexpr std::size_t kMaxVocabularyLine = 200;  // longer lines are damage: skipped
constexpr std::size_t kMaxWordCombinations = 32;  // readings of one text tried, at most
// A file far beyond any vocabulary (the shipped one has some 900 symbols) is read only so far,
// so that opening the dialog stays quick whatever the file holds.
constexpr std::size_t kMaxVocabularySymbols = 5000;
constexpr std::size_t kMaxPrefixSymbols = 2 * kMaxScalers;

bool IsAsciiUpper(unsigned char c) { return c >= 'A' && c <= 'Z'; }
bool IsAsciiLetterOrDigit(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || IsAsciiUpper(c);
}

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (IsAsciiUpper(static_cast<unsigned char>(c))) c = static_cast<char>(c + ('a' - 'A'));
  }
  return text;
}

// Whether a name of the tables is the text in other capitals (ASCII letters only), compared in
// place: the file names quantities and multipliers in any letter case.
bool SameIgnoringCase(const char* name, const std::string& text) {
  auto lower = [](unsigned char c) { return IsAsciiUpper(c) ? c + ('a' - 'A') : c; };
  std::size_t i = 0;
  for (; name[i] != '\0'; ++i) {
    if (i >= text.size() ||
        lower(static_cast<unsigned char>(name[i])) != lower(static_cast<unsigned char>(text[i]))) {
      return false;
    }
  }
  return i == text.size();
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r\n") + 1 - first);
}

// The table's entry for the key, made where there is none, with the key kept in the arena
// (kept first, as most keys are new: a copy costs less than looking the key up twice).
template <typename Table>
typename Table::mapped_type& Slot(UnitVocabulary& vocabulary, Table& table, std::string_view key) {
  return table.try_emplace(vocabulary.Keep(key)).first->second;
}

void Note(UnitVocabulary& vocabulary, UnitVocabulary::Words& words, std::string_view word) {
  if (words.count(word) == 0) words.insert(vocabulary.Keep(word));
}

// The middle dot (in the program's code page) and the no-break blank separate like a blank.
bool SeparatesLikeBlank(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0xB7 || c == 0xA0;
}

// A symbol as it is compared: letter case kept, "·" and "*" as blanks, "." and "^" gone
// ("fl. oz." is "fl oz", "m^2" is "m2"), blanks single, none at either end.
std::string SymbolKey(const std::string& text) {
  std::string key;
  bool blank = false;
  for (const char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == '.' || c == '^') continue;
    if (SeparatesLikeBlank(c) || c == '*') {
      blank = !key.empty();
      continue;
    }
    if (blank) key += ' ';
    blank = false;
    key += ch;
  }
  return key;
}

// The words of a name or a typed text, letter case kept, each given to take(word, afterCaret):
// letters, digits and the bytes outside ASCII ("µ", "°", "²") make words; "/" is the word
// "per"; every other sign separates, and the caret goes without a trace but marks the word
// that follows it.
template <typename Take>
void ForEachWord(std::string_view text, Take take) {
  static const std::string kPer = "per";
  std::string word;
  bool caret = false;
  std::size_t start = 0;  // of the word being read
  auto end = [&](std::size_t at) {
    if (at > start) {
      word.assign(text.data() + start, at - start);
      take(word, caret);
      caret = false;
    }
    start = at + 1;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '^') {
      end(i);
      caret = true;
    } else if (!IsAsciiLetterOrDigit(c) && (c < 0x80 || SeparatesLikeBlank(c))) {
      end(i);
      if (c == '/') take(kPer, false);
    }
  }
  end(text.size());
}

// The words of ForEachWord in a list. caretWord, when asked, receives the index of the word
// that follows a caret, or -1.
std::vector<std::string> SplitWords(const std::string& text, int* caretWord = nullptr) {
  std::vector<std::string> words;
  if (caretWord) *caretWord = -1;
  ForEachWord(text, [&](const std::string& word, bool afterCaret) {
    if (afterCaret && caretWord) *caretWord = static_cast<int>(words.size());
    words.push_back(word);
  });
  return words;
}

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) {
    if (!text.empty()) text += ' ';
    text += word;
  }
  return text;
}

// Letters and digits alone, lower case: how the find field compares labels.
std::string FoldedLabel(const char* text) {
  std::string folded(std::strlen(text), '\0');
  std::size_t n = 0;
  for (; *text; ++text) {
    const unsigned char c = static_cast<unsigned char>(*text);
    if (IsAsciiUpper(c)) {
      folded[n++] = static_cast<char>(c + ('a' - 'A'));
    } else if (IsAsciiLetterOrDigit(c) || c >= 0x80) {
      folded[n++] = *text;
    }
  }
  folded.resize(n);
  return folded;
}

// Letters, digits and the bytes outside ASCII ("µ", "°", "²") make words.
bool IsWordByte(unsigned char c) {
  return IsAsciiLetterOrDigit(c) || (c >= 0x80 && !SeparatesLikeBlank(c));
}

// Whether the text begins with the head, and goes on after it where `longer`.
bool BeginsWith(std::string_view text, std::string_view head, bool longer) {
  return text.size() >= head.size() + (longer ? 1 : 0) &&
         std::memcmp(text.data(), head.data(), head.size()) == 0;
}

// The word a symbol begins with, "" for one that begins with a sign ("/s").
std::string FirstWordOf(const std::string& symbol) {
  std::size_t n = 0;
  while (n < symbol.size() && IsWordByte(static_cast<unsigned char>(symbol[n]))) ++n;
  return symbol.substr(0, n);
}

// The place in the file of the line that joins the prefix symbol to a symbol that takes
// prefixes, and the unit it names then; -1 where the symbol does not take that prefix.
int PrefixedLine(const PrefixedSymbol& symbol, const PrefixSymbol& prefix, UnitMatch* match) {
  PrefixedSymbol::Taken taken = symbol.every;
  if (prefix.multiple && symbol.multiples.line >= 0 &&
      (taken.line < 0 || symbol.multiples.line < taken.line)) {
    taken = symbol.multiples;
  }
  if (taken.line >= 0 && match) {
    *match = UnitMatch{taken.match.quantity, prefix.multiplier, taken.match.unit};
  }
  return taken.line;
}

// The unit of a symbol made of a prefix symbol and a symbol that takes it ("km", "MB"): the
// first line of the file that makes that spelling.
bool PrefixedUnit(const UnitVocabulary& vocabulary, const std::string& symbol, UnitMatch& match) {
  int first = -1;
  for (const PrefixSymbol& prefix : vocabulary.prefixes) {
    const std::size_t n = prefix.symbol.size();
    if (!BeginsWith(symbol, prefix.symbol, true)) continue;
    const auto taking = vocabulary.prefixed.find(symbol.substr(n));
    if (taking == vocabulary.prefixed.end()) continue;
    UnitMatch made;
    const int line = PrefixedLine(taking->second, prefix, &made);
    if (line >= 0 && (first < 0 || line < first)) {
      first = line;
      match = made;
    }
  }
  return first >= 0;
}

// The units a symbol names with its letter case: those of the file's lines that write it, or
// else the one a prefix symbol joined to a symbol makes. False where it names none.
bool UnitsOfSymbol(const UnitVocabulary& vocabulary, const std::string& symbol,
                   std::vector<UnitMatch>& units) {
  const auto written = vocabulary.symbols.find(symbol);
  if (written != vocabulary.symbols.end()) {
    units.assign(written->second.begin(), written->second.end());
    return !units.empty();
  }
  UnitMatch made;
  if (!PrefixedUnit(vocabulary, symbol, made)) return false;
  units.assign(1, made);
  return true;
}

// Each symbol that takes prefixes joined to a prefix symbol so that the two, in lower case,
// begin with the word: the prefix symbol, then the symbol's first word ("k" and "m/s" for
// "km"), or the prefix symbol alone for a symbol that begins with a sign ("/s"). Given to
// take(prefix, symbol).
template <typename Take>
void ForEachPrefixedWord(const UnitVocabulary& vocabulary, std::string_view word, Take take) {
  for (const PrefixSymbol& prefix : vocabulary.prefixes) {
    if (!BeginsWith(word, prefix.lower, false)) continue;
    const auto taking = vocabulary.prefixedByFirstWord.find(word.substr(prefix.lower.size()));
    if (taking == vocabulary.prefixedByFirstWord.end()) continue;
    for (const std::string_view symbol : taking->second) {
      if (PrefixedLine(vocabulary.prefixed.at(symbol), prefix, nullptr) >= 0) take(prefix, symbol);
    }
  }
}

// Each symbol made with a prefix whose lower case is the text ("km" for "KM"), given to
// take(prefix, symbol).
template <typename Take>
void ForEachPrefixedSpelling(const UnitVocabulary& vocabulary, const std::string& lower,
                             Take take) {
  ForEachPrefixedWord(vocabulary, FirstWordOf(lower),
                      [&](const PrefixSymbol& prefix, std::string_view symbol) {
                        if (prefix.lower + LowerAscii(std::string(symbol)) == lower) {
                          take(prefix, symbol);
                        }
                      });
}

// A symbol typed in mixed capitals that no line writes so: its prefix symbol read in the case
// typed, the rest in any case ("MOhm", "Mpa", "mOhm"), where every such reading names one unit.
// The prefix's capital is chosen (mega or milli), the rest's tells nothing; a text in one case
// alone ("MPA", "mwh") says nothing of its prefix either, and stays as the file has it.
bool PrefixKeptUnits(const UnitVocabulary& vocabulary, const std::string& symbol,
                     std::vector<UnitMatch>& units) {
  const std::string lower = LowerAscii(symbol);
  if (lower == symbol || std::none_of(symbol.begin(), symbol.end(), [](char c) {
        return c >= 'a' && c <= 'z';
      })) {
    return false;
  }
  units.clear();
  bool alike = true;
  ForEachPrefixedSpelling(vocabulary, lower, [&](const PrefixSymbol& prefix,
                                                 std::string_view taker) {
    UnitMatch made;
    if (!BeginsWith(symbol, prefix.symbol, false)) return;
    PrefixedLine(vocabulary.prefixed.at(taker), prefix, &made);  // the walk gives only those made
    if (units.empty()) units.push_back(made);
    alike = alike && made == units.front();
  });
  if (!alike) units.clear();
  return !units.empty();
}

// Whether a lower-case word is a word of some symbol, written or made with a prefix.
bool IsSymbolWord(const UnitVocabulary& vocabulary, const std::string& lower) {
  if (vocabulary.symbolWords.count(lower)) return true;
  bool made = false;
  ForEachPrefixedWord(vocabulary, lower,
                      [&made](const PrefixSymbol&, std::string_view) { made = true; });
  return made;
}

bool EndsWith(const std::string& text, const char* end) {
  const std::size_t n = std::strlen(end);
  return text.size() >= n && text.compare(text.size() - n, n, end) == 0;
}

// A word as names are compared: its other spelling replaced ("metre" is "meter"), and a plural
// made singular where the singular is a word of some name ("inches", "entities") or, for a
// word that is no symbol itself, a symbol ("kgs"), so that words that only end in "s"
// ("siemens", "celsius", "gauss", "cps") stay as they are, and "BTUs" is "btu".
std::string Canonical(const UnitVocabulary& vocabulary, const std::string& lower) {
  const auto alias = vocabulary.words.find(lower);
  if (alias != vocabulary.words.end()) return std::string(alias->second);
  if (lower.size() >= 3 && EndsWith(lower, "s")) {
    const std::string stem = lower.substr(0, lower.size() - 1);
    std::string candidates[3] = {stem, "", ""};
    if (EndsWith(lower, "es")) candidates[1] = lower.substr(0, lower.size() - 2);
    if (EndsWith(lower, "ies")) candidates[2] = lower.substr(0, lower.size() - 3) + "y";
    for (const std::string& candidate : candidates) {
      if (candidate.size() < 2) continue;
      const auto spelled = vocabulary.words.find(candidate);
      if (spelled != vocabulary.words.end()) return std::string(spelled->second);
      if (vocabulary.knownWords.count(candidate)) return candidate;
    }
    if (!IsSymbolWord(vocabulary, lower)) {
      for (const std::string& candidate : candidates) {
        if (candidate.size() >= 2 && IsSymbolWord(vocabulary, candidate)) return candidate;
      }
    }
  }
  return lower;
}

std::vector<std::string> CanonicalWords(const UnitVocabulary& vocabulary,
                                        const std::vector<std::string>& words) {
  std::vector<std::string> canonical;
  canonical.reserve(words.size());
  for (const std::string& word : words) canonical.push_back(Canonical(vocabulary, LowerAscii(word)));
  return canonical;
}

// CanonicalWords of SplitWords in one pass, into a list kept between calls.
void CanonicalWordsOf(const UnitVocabulary& vocabulary, std::string_view text,
                      std::vector<std::string>& canonical, int* caretWord = nullptr) {
  canonical.clear();
  if (caretWord) *caretWord = -1;
  ForEachWord(text, [&](const std::string& word, bool afterCaret) {
    if (afterCaret && caretWord) *caretWord = static_cast<int>(canonical.size());
    canonical.push_back(Canonical(vocabulary, LowerAscii(word)));
  });
}

// The units a symbol in lower case stands for in any letter case: those of its spellings,
// written in the file or made with a prefix, where all name the same units ("km", "KM");
// false where two spellings name other units ("mm" and "Mm").
bool AnyCaseUnits(const UnitVocabulary& vocabulary, const std::string& lower,
                  std::vector<UnitMatch>& units) {
  units.clear();
  bool alike = true;
  auto compare = [&](const auto& spelled) {
    if (units.empty()) {
      units.assign(spelled.begin(), spelled.end());
    } else {
      alike = alike && std::equal(units.begin(), units.end(), spelled.begin(), spelled.end());
    }
  };
  const auto written = vocabulary.spellings.find(lower);
  if (written != vocabulary.spellings.end()) {
    for (const std::string_view symbol : written->second) compare(vocabulary.symbols.at(symbol));
  }
  std::vector<UnitMatch> made;
  ForEachPrefixedSpelling(vocabulary, lower, [&](const PrefixSymbol& prefix,
                                                 std::string_view symbol) {
    if (alike && UnitsOfSymbol(vocabulary, prefix.symbol + std::string(symbol), made)) {
      compare(made);
    }
  });
  return alike && !units.empty();
}

// The units of the symbols made with a prefix, and written in no spelling in the file, whose
// lower case reads as the name ("kpa" or "kpas" for "kPa"); none where the catalogue has a
// unit of that name ("Grad", the gigaradian, is no "grad").
void PrefixedNamesOf(const UnitVocabulary& vocabulary, const std::vector<std::string>& canonical,
                     const std::string& name, std::vector<UnitMatch>& found) {
  const auto named = vocabulary.names.find(name);
  if (canonical.empty() ||
      (named != vocabulary.names.end() &&
       std::any_of(named->second.begin(), named->second.end(),
                   [](const NamedUnit& unit) { return unit.multiplierWord >= 0; }))) {
    return;
  }
  // The lower-case words that read as the first word: itself, a word spelled for it, and the
  // plurals of both.
  const std::string& first = canonical.front();
  std::vector<std::string> words{first};
  for (const auto& spelled : vocabulary.words) {
    if (spelled.second == first) words.emplace_back(spelled.first);
  }
  std::vector<std::string> readings;
  for (const std::string& word : words) {
    readings.insert(readings.end(), {word, word + "s", word + "es"});
    if (EndsWith(word, "y")) readings.push_back(word.substr(0, word.size() - 1) + "ies");
  }
  std::vector<std::string> seen, symbolWords;
  std::vector<UnitMatch> units;
  for (const std::string& reading : readings) {
    int readsAsFirst = -1;  // not yet asked
    ForEachPrefixedWord(vocabulary, reading, [&](const PrefixSymbol& prefix,
                                                 std::string_view symbol) {
      const std::string lower = prefix.lower + LowerAscii(std::string(symbol));
      if (vocabulary.spellings.count(lower) ||
          std::find(seen.begin(), seen.end(), lower) != seen.end()) {
        return;
      }
      if (readsAsFirst < 0) readsAsFirst = Canonical(vocabulary, reading) == first;
      if (readsAsFirst == 0) return;
      seen.push_back(lower);
      CanonicalWordsOf(vocabulary, lower, symbolWords);
      if (Joined(symbolWords) == name && AnyCaseUnits(vocabulary, lower, units)) {
        found.insert(found.end(), units.begin(), units.end());
      }
    });
  }
}

// The units a name in its compared form names: the catalogue's, and the symbols' that stand
// for it in any letter case.
void UnitsNamed(const UnitVocabulary& vocabulary, const std::vector<std::string>& canonical,
                std::vector<UnitMatch>& found) {
  const std::string name = Joined(canonical);
  const auto named = vocabulary.names.find(name);
  if (named != vocabulary.names.end()) {
    for (const NamedUnit& unit : named->second) found.push_back(unit.match);
  }
  PrefixedNamesOf(vocabulary, canonical, name, found);
}

// The label a unit shows with a multiplier (or none), without the blanks a name may end in.
std::string LabelOf(const UnitTables& tables, const UnitCatalogue& catalogue, const UnitMatch& m) {
  // (Nothing for a unit of another catalogue than the vocabulary was read with.)
  if (static_cast<std::size_t>(m.quantity) >= catalogue.units.size()) return "";
  const std::vector<std::string>& units = catalogue.units[static_cast<std::size_t>(m.quantity)];
  if (static_cast<std::size_t>(m.unit) >= units.size()) return "";
  const char* prefix = m.multiplier == tables.NoMultiplierIndex
                           ? ""
                           : tables.Scalers[m.multiplier].Name;
  char label[kLabelSize];
  ComposeLabel(prefix, units[static_cast<std::size_t>(m.unit)].c_str(), label);
  return label;
}

// Each quantity's units by their names folded as labels are, caret aside (the folded names
// of `folded`, which outlive the table); the first of a folded name where two fold alike.
using FoldedNames = std::vector<std::unordered_map<std::string_view, int>>;
FoldedNames FoldNames(const std::vector<std::vector<std::string>>& folded) {
  FoldedNames names(folded.size());
  for (std::size_t q = 0; q < names.size(); ++q) {
    names[q].reserve(folded[q].size());
    for (std::size_t u = 0; u < folded[q].size(); ++u) {
      names[q].emplace(folded[q][u], static_cast<int>(u));
    }
  }
  return names;
}

// Where the file's line names a unit: "kilo + meter" is a multiplier and a unit, "meter" the
// plain unit. The unit is found by its name folded as labels are, caret aside.
bool ResolveEntry(const UnitTables& tables, const FoldedNames& units, int quantity,
                  const std::string& target, UnitMatch& match) {
  std::string unitName = target;
  match = UnitMatch{quantity, tables.NoMultiplierIndex, 0};
  const std::size_t plus = target.find(" + ");
  if (plus != std::string::npos) {
    const std::string multiplier = LowerAscii(Trimmed(target.substr(0, plus)));
    const int scalers = std::min<int>(std::max(tables.NumberOfScalers, 0), kMaxScalers);
    int found = -1;
    for (int m = 0; m < scalers && found < 0; ++m) {
      if (SameIgnoringCase(tables.Scalers[m].Name, multiplier)) found = m;
    }
    if (found < 0) return false;
    match.multiplier = found;
    unitName = Trimmed(target.substr(plus + 3));
  }
  const auto& named = units[static_cast<std::size_t>(quantity)];
  const auto unit = named.find(FoldedLabel(unitName.c_str()));
  if (unit == named.end()) return false;
  match.unit = unit->second;
  return true;
}

struct Entry {
  std::string key;
  char takes;  // '*' every prefix, '+' the multiples only, '\0' none
  UnitMatch match;
};

// Reads one line of any length; a line longer than kMaxVocabularyLine is read to its end and
// reported as damaged.
bool ReadLine(std::FILE* file, std::string& line, bool& tooLong) {
  line.clear();
  tooLong = false;
  char piece[kLineBufferSize];
  bool any = false;
  while (std::fgets(piece, sizeof piece, file)) {
    any = true;
    if (line.size() <= kMaxVocabularyLine) line += piece;
    if (std::strchr(piece, '\n') != nullptr) break;
  }
  if (line.size() > kMaxVocabularyLine) tooLong = true;
  return any;
}

int QuantityOf(const UnitTables& tables, const UnitCatalogue& catalogue, const std::string& label) {
  const int count = std::min<int>(static_cast<int>(catalogue.units.size()),
                                  std::min<int>(std::max(tables.NumberOfDimensions, 0),
                                                kMaxDimensions));
  for (int q = 0; q < count; ++q) {
    if (SameIgnoringCase(tables.DimensionLabels[q], label)) return q;
  }
  return -1;
}

// The file's sections: [prefixes] (symbol = multiplier), [words] (word = word) and one per
// quantity (symbols | more symbols = unit); anything else is passed over.
void ReadFile(const UnitTables& tables, const UnitCatalogue& catalogue, const FoldedNames& units,
              std::FILE* file, UnitVocabulary& vocabulary, std::vector<Entry>& entries) {
  std::vector<PrefixSymbol>& prefixes = vocabulary.prefixes;
  enum { kNone, kPrefixes, kWords, kQuantity } section = kNone;
  int quantity = -1;
  std::string line;
  bool tooLong = false;
  while (ReadLine(file, line, tooLong)) {
    if (tooLong) {
      ++vocabulary.entriesSkipped;
      continue;
    }
    const std::string text = Trimmed(line);
    if (text.empty() || text[0] == ';') continue;
    if (text[0] == '[') {
      const std::string head = LowerAscii(text.substr(1, text.find(']') - 1));
      section = kNone;
      if (head == "prefixes") {
        section = kPrefixes;
      } else if (head == "words") {
        section = kWords;
      } else if ((quantity = QuantityOf(tables, catalogue, text.substr(1, text.find(']') - 1))) >= 0) {
        section = kQuantity;
      } else {
        ++vocabulary.entriesSkipped;
      }
      continue;
    }
    const std::size_t equals = text.find('=');
    const std::string left = equals == std::string::npos ? "" : Trimmed(text.substr(0, equals));
    const std::string right = equals == std::string::npos ? "" : Trimmed(text.substr(equals + 1));
    bool read = false;
    const bool full = section == kPrefixes ? prefixes.size() >= kMaxPrefixSymbols
                      : section == kWords  ? vocabulary.words.size() >= kMaxVocabularySymbols
                                           : entries.size() >= kMaxVocabularySymbols;
    if (section == kNone || left.empty() || right.empty() || full) {
      read = false;
    } else if (section == kPrefixes) {
      const int scalers = std::min<int>(std::max(tables.NumberOfScalers, 0), kMaxScalers);
      for (int m = 0; m < scalers && !read; ++m) {
        if (m != tables.NoMultiplierIndex && SameIgnoringCase(tables.Scalers[m].Name, right)) {
          // One word, as a prefix joins the word of a symbol ("k" + "m/s" is "km per s").
          const std::string symbol = SymbolKey(left);
          read = !symbol.empty() && FirstWordOf(symbol) == symbol;
          if (read) {
            prefixes.push_back({symbol, LowerAscii(symbol), m, tables.Scalers[m].Mult > 1.0});
          }
        }
      }
    } else if (section == kWords) {
      const std::string word = LowerAscii(left), meant = LowerAscii(right);
      read = SplitWords(word).size() == 1 && !SplitWords(meant).empty();
      if (read) {
        Slot(vocabulary, vocabulary.words, word) = vocabulary.Keep(Joined(SplitWords(meant)));
      }
    } else {
      UnitMatch match;
      read = ResolveEntry(tables, units, quantity, right, match);
      std::size_t start = 0;
      while (read && start <= left.size()) {
        std::size_t bar = left.find('|', start);
        if (bar == std::string::npos) bar = left.size();
        std::string key = Trimmed(left.substr(start, bar - start));
        char takes = '\0';
        if (!key.empty() && (key.back() == '*' || key.back() == '+')) {
          takes = match.multiplier == tables.NoMultiplierIndex ? key.back() : '\0';
          key.pop_back();
        }
        key = SymbolKey(key);
        if (!key.empty()) entries.push_back({key, takes, match});
        start = bar + 1;
      }
    }
    if (read) {
      ++vocabulary.entriesRead;
    } else {
      ++vocabulary.entriesSkipped;
    }
  }
}

// Adds a symbol's unit; the symbol as kept in the table.
std::string_view AddSymbol(UnitVocabulary& vocabulary, const std::string& key,
                           const UnitMatch& match) {
  const auto symbol = vocabulary.symbols.try_emplace(vocabulary.Keep(key)).first;
  auto& units = symbol->second;
  if (std::find(units.begin(), units.end(), match) == units.end()) units.push_back(match);
  return symbol->first;
}

// A name of its first `count` words; also by its words sorted, where `wordSet`.
void AddName(UnitVocabulary& vocabulary, const std::vector<std::string>& canonical,
             std::size_t count, const NamedUnit& unit, bool wordSet) {
  if (count == 0) return;
  std::string key;
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) key += ' ';
    key += canonical[i];
  }
  Slot(vocabulary, vocabulary.names, key).push_back(unit);
  if (!wordSet) return;
  std::vector<const std::string*> words;
  for (std::size_t i = 0; i < count; ++i) words.push_back(&canonical[i]);
  std::sort(words.begin(), words.end(),
            [](const std::string* a, const std::string* b) { return *a < *b; });
  key.clear();
  for (const std::string* word : words) {
    if (!key.empty()) key += ' ';
    key += *word;
  }
  Slot(vocabulary, vocabulary.wordSets, key).push_back(unit);
}

// The label words of a unit as a name inside a longer one: "km" stands for "kilometer", "lb"
// for "pound" (what follows a ";" left out).
std::vector<std::string> NameWordsOf(const UnitTables& tables, const UnitCatalogue& catalogue,
                                     const UnitVocabulary& vocabulary, const UnitMatch& match) {
  std::string label = LabelOf(tables, catalogue, match);
  label = label.substr(0, label.find(';'));
  return CanonicalWords(vocabulary, SplitWords(label));
}

// The readings of one typed word inside a longer text: itself, the name of the unit it is the
// symbol of, and for a power ("m3", "ft²") "cubic meter" and "meter cubed".
std::vector<std::vector<std::string>> ReadingsOf(const UnitTables& tables,
                                                 const UnitCatalogue& catalogue,
                                                 const UnitVocabulary& vocabulary,
                                                 const std::string& word) {
  std::vector<std::vector<std::string>> readings{{Canonical(vocabulary, LowerAscii(word))}};
  std::vector<UnitMatch> units;
  auto symbolOf = [&](const std::string& symbol, UnitMatch& match) {
    if (UnitsOfSymbol(vocabulary, symbol, units)) {
      match = units.front();
      return true;
    }
    const std::vector<std::string> name{Canonical(vocabulary, LowerAscii(symbol))};
    const auto named = vocabulary.names.find(name.front());
    if (named != vocabulary.names.end()) {
      for (const NamedUnit& unit : named->second) {
        if (unit.multiplierWord < 0) {
          match = unit.match;
          return true;
        }
      }
    }
    units.clear();
    PrefixedNamesOf(vocabulary, name, name.front(), units);
    if (units.empty() && !PrefixKeptUnits(vocabulary, symbol, units)) return false;
    match = units.front();
    return true;
  };
  UnitMatch match;
  if (symbolOf(word, match)) readings.push_back(NameWordsOf(tables, catalogue, vocabulary, match));
  const unsigned char last = static_cast<unsigned char>(word.back());
  const int power = (last == '2' || last == 0xB2) ? 2 : (last == '3' || last == 0xB3) ? 3 : 0;
  if (power != 0 && word.size() > 1 && symbolOf(word.substr(0, word.size() - 1), match)) {
    const std::vector<std::string> base = NameWordsOf(tables, catalogue, vocabulary, match);
    std::vector<std::string> before{power == 2 ? "square" : "cubic"}, after = base;
    before.insert(before.end(), base.begin(), base.end());
    after.push_back(power == 2 ? "squared" : "cubed");
    readings.push_back(before);
    readings.push_back(after);
  }
  return readings;
}

// The units one reading of the text names: the name as it stands, its words in another order
// for a name with a qualifier ("US gallon"), and a multiplier name joined to one of its words
// ("kilometer", "square kilometers") where that unit takes the multiplier there.
void NamedBy(const UnitTables& tables, const UnitVocabulary& vocabulary,
             const std::vector<std::string>& lowerWords, std::vector<std::string> canonical,
             std::vector<UnitMatch>& found) {
  UnitsNamed(vocabulary, canonical, found);
  if (std::find(canonical.begin(), canonical.end(), "per") == canonical.end()) {
    std::vector<std::string> sorted = canonical;
    std::sort(sorted.begin(), sorted.end());
    const auto set = vocabulary.wordSets.find(Joined(sorted));
    if (set != vocabulary.wordSets.end()) {
      for (const NamedUnit& unit : set->second) found.push_back(unit.match);
    }
  }
  const int scalers = static_cast<int>(vocabulary.multiplierNames.size());
  for (std::size_t k = 0; k < lowerWords.size(); ++k) {
    const std::string& word = lowerWords[k];
    for (int m = 0; m < scalers; ++m) {
      const std::string& prefix = vocabulary.multiplierNames[static_cast<std::size_t>(m)];
      if (m == tables.NoMultiplierIndex || prefix.empty() || !BeginsWith(word, prefix, true)) {
        continue;
      }
      const std::string kept = canonical[k];
      canonical[k] = Canonical(vocabulary, word.substr(prefix.size()));
      const auto hit = vocabulary.names.find(Joined(canonical));
      canonical[k] = kept;
      if (hit == vocabulary.names.end()) continue;
      for (const NamedUnit& unit : hit->second) {
        if (unit.multiplierWord == static_cast<int>(k) &&
            unit.match.multiplier == tables.NoMultiplierIndex) {
          found.push_back(UnitMatch{unit.match.quantity, m, unit.match.unit});
        }
      }
    }
  }
}

}  // namespace

namespace {

// The blocks that vocabularies have given back, kept for the next one (a dialog opened
// again): the C library would return them to the system, and the next vocabulary would pay a
// page fault for each of their pages again. A few are kept; the rest, and all at exit, freed.
class SpareBlocks {
 public:
  static constexpr std::size_t kBlockSize = 16 * 1024;
  static SpareBlocks& Instance() {
    static SpareBlocks spare;
    return spare;
  }
  SpareBlocks() { blocks_.reserve(kKept); }
  ~SpareBlocks() {
    for (void* block : blocks_) ::operator delete(block);
  }
  void* Take() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!blocks_.empty()) {
        void* block = blocks_.back();
        blocks_.pop_back();
        return block;
      }
    }
    return ::operator new(kBlockSize);
  }
  void Give(void* block) noexcept {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (blocks_.size() < kKept) {
        blocks_.push_back(block);  // (room reserved: cannot throw)
        return;
      }
    }
    ::operator delete(block);
  }

 private:
  static constexpr std::size_t kKept = 64;  // a vocabulary of the shipped files takes 30
  std::mutex mutex_;
  std::vector<void*> blocks_;
};

// Memory handed out in order from blocks and given back all at once, when the vocabulary
// goes: its tables are built once and never shrink. A request of over a quarter of a block
// (a table's buckets) has memory of its own.
class BlockArena : public std::pmr::memory_resource {
 public:
  ~BlockArena() override {
    for (void* memory : own_) ::operator delete(memory);
    for (void* block : blocks_) SpareBlocks::Instance().Give(block);
  }

 private:
  void* do_allocate(std::size_t bytes, std::size_t alignment) override {
    if (bytes > SpareBlocks::kBlockSize / 4) {
      own_.reserve(own_.size() + 1);
      own_.push_back(::operator new(bytes));
      return own_.back();
    }
    std::size_t at = (used_ + alignment - 1) & ~(alignment - 1);
    if (blocks_.empty() || at + bytes > SpareBlocks::kBlockSize) {
      blocks_.reserve(blocks_.size() + 1);
      blocks_.push_back(SpareBlocks::Instance().Take());
      at = 0;
    }
    used_ = at + bytes;
    return static_cast<char*>(blocks_.back()) + at;
  }
  void do_deallocate(void*, std::size_t, std::size_t) override {}
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
    return this == &other;
  }
  std::vector<void*> blocks_;
  std::vector<void*> own_;
  std::size_t used_ = 0;  // of the last block
};

}  // namespace

UnitVocabulary::UnitVocabulary() : arena(std::make_unique<BlockArena>()) {}

std::string_view UnitVocabulary::Keep(std::string_view text) {
  if (text.empty()) return {};
  char* kept = static_cast<char*>(arena->allocate(text.size(), 1));
  std::memcpy(kept, text.data(), text.size());
  return {kept, text.size()};
}

std::string ComparedWord(const UnitVocabulary& vocabulary, const std::string& lowerWord) {
  return Canonical(vocabulary, lowerWord);
}

std::string VocabularyPathBeside(const char* cataloguePath) {
  const std::string path = cataloguePath;
  const std::size_t name = path.size() - std::strlen(DataFileName(cataloguePath));
  return path.substr(0, name) + kVocabularyFileName;
}

UnitVocabulary LoadUnitVocabulary(const UnitTables& tables, const UnitCatalogue& catalogue,
                                  const char* path, const DataFileOpener& open) {
  UnitVocabulary vocabulary;
  const int scalers = std::min<int>(std::max(tables.NumberOfScalers, 0), kMaxScalers);
  for (int m = 0; m < scalers; ++m) {
    vocabulary.multiplierNames.push_back(LowerAscii(tables.Scalers[m].Name));
  }
  std::vector<Entry> entries;
  // The catalogue's names folded as labels are: a plain unit's label is its name, but for a
  // caret.
  const int quantities = static_cast<int>(catalogue.units.size());
  std::vector<std::vector<std::string>> folded(static_cast<std::size_t>(quantities));
  for (int q = 0; q < quantities; ++q) {
    for (const std::string& name : catalogue.units[static_cast<std::size_t>(q)]) {
      folded[static_cast<std::size_t>(q)].push_back(FoldedLabel(name.c_str()));
    }
  }
  if (std::FILE* file = open(path)) {
    ReadFile(tables, catalogue, FoldNames(folded), file, vocabulary, entries);
    std::fclose(file);
  }

  // The symbols written in the file; for those that take prefixes, the first line of each
  // kind, as the first line that makes a spelling names its unit.
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Entry& entry = entries[i];
    const std::string_view symbol = AddSymbol(vocabulary, entry.key, entry.match);
    if (entry.takes == '\0') continue;
    const auto taking = vocabulary.prefixed.try_emplace(symbol);
    if (taking.second) {
      Slot(vocabulary, vocabulary.prefixedByFirstWord, LowerAscii(FirstWordOf(entry.key)))
          .push_back(symbol);
    }
    PrefixedSymbol::Taken& taken =
        entry.takes == '*' ? taking.first->second.every : taking.first->second.multiples;
    if (taken.line < 0) taken = PrefixedSymbol::Taken{static_cast<int>(i), entry.match};
  }

  // Words: every name's, every symbol's and every word the file spells for another.
  // (Words are lowered in one buffer: only a word not yet in its set is copied.)
  std::string lower;
  auto lowered = [&lower](const std::string& word) -> const std::string& {
    lower.assign(word);
    for (char& c : lower) {
      if (IsAsciiUpper(static_cast<unsigned char>(c))) c = static_cast<char>(c + ('a' - 'A'));
    }
    return lower;
  };
  for (int q = 0; q < quantities; ++q) {
    for (const std::string& name : catalogue.units[static_cast<std::size_t>(q)]) {
      ForEachWord(name, [&](const std::string& word, bool) {
        Note(vocabulary, vocabulary.knownWords, lowered(word));
      });
    }
  }
  for (const auto& symbol : vocabulary.symbols) {
    ForEachWord(symbol.first, [&](const std::string& word, bool) {
      Note(vocabulary, vocabulary.symbolWords, lowered(word));
    });
  }
  for (const auto& word : vocabulary.words) vocabulary.knownWords.insert(word.second);

  // The catalogue's names, whole and up to their ";".
  vocabulary.plainLabels.resize(static_cast<std::size_t>(quantities));
  vocabulary.names.reserve(4096);
  std::vector<std::string> whole;
  for (int q = 0; q < quantities; ++q) {
    const std::vector<std::string>& units = catalogue.units[static_cast<std::size_t>(q)];
    for (int u = 0; u < static_cast<int>(units.size()); ++u) {
      const std::string& name = units[static_cast<std::size_t>(u)];
      const NamedUnit plain{UnitMatch{q, tables.NoMultiplierIndex, u}, 0};
      // The words, and how many stand before the ";" (as they are split there too).
      int caretWord = -1;
      std::size_t main = 0;
      const std::size_t semicolon = name.find(';');
      CanonicalWordsOf(vocabulary, name, whole, &caretWord);
      if (semicolon != std::string::npos) {
        ForEachWord(name.substr(0, semicolon), [&main](const std::string&, bool) { ++main; });
      }
      NamedUnit named = plain;
      named.multiplierWord = caretWord >= 0 ? caretWord : 0;
      AddName(vocabulary, whole, whole.size(), named, semicolon != std::string::npos);
      if (main < whole.size() && semicolon != std::string::npos) {
        AddName(vocabulary, whole, main, named, false);
      }
      std::string& label = folded[static_cast<std::size_t>(q)][static_cast<std::size_t>(u)];
      if (name.find('^') != std::string::npos || name.size() >= kLabelSize) {
        label = FoldedLabel(LabelOf(tables, catalogue, plain.match).c_str());
      }
      auto& labels = vocabulary.plainLabels[static_cast<std::size_t>(q)];
      if (labels.count(label) == 0) labels.emplace(vocabulary.Keep(label), u);
    }
  }

  // A symbol written in the file stands for its name in any letter case, unless another
  // spelling with other capitals names another unit ("mm" and "Mm", "MB" and "Mb"). Those
  // made with a prefix are found so at lookup.
  for (const auto& symbol : vocabulary.symbols) {
    Slot(vocabulary, vocabulary.spellings, LowerAscii(std::string(symbol.first)))
        .push_back(symbol.first);
  }
  std::vector<UnitMatch> units;
  std::vector<std::string> canonical;
  for (const auto& group : vocabulary.spellings) {
    if (!AnyCaseUnits(vocabulary, std::string(group.first), units)) continue;
    CanonicalWordsOf(vocabulary, group.first, canonical);
    for (const UnitMatch& match : units) {
      AddName(vocabulary, canonical, canonical.size(), NamedUnit{match, -1}, false);
    }
  }
  return vocabulary;
}

std::vector<UnitMatch> FindExactUnits(const UnitTables& tables, const UnitCatalogue& catalogue,
                                      const UnitVocabulary& vocabulary, const std::string& text) {
  std::vector<UnitMatch> found;
  const std::string key = SymbolKey(text);
  if (key.empty()) return found;
  UnitsOfSymbol(vocabulary, key, found);
  std::size_t written = found.size();  // the file's own reading of the text as a symbol

  const std::vector<std::string> words = SplitWords(text);
  std::vector<std::string> lowerWords;
  for (const std::string& word : words) lowerWords.push_back(LowerAscii(word));
  if (!words.empty()) NamedBy(tables, vocabulary, lowerWords, CanonicalWords(vocabulary, words), found);
  // Nothing by name either: a symbol in mixed capitals ("MOhm"), never before a name ("Min").
  if (found.empty() && PrefixKeptUnits(vocabulary, key, found)) written = found.size();

  // Nothing by the text as a whole: its words read as symbols and powers ("km/h", "kg/m3",
  // "sq ft"), each reading tried as a name.
  if (found.empty() && !words.empty()) {
    std::vector<std::vector<std::vector<std::string>>> readings;
    std::size_t combinations = 1;
    for (const std::string& word : words) {
      readings.push_back(ReadingsOf(tables, catalogue, vocabulary, word));
      combinations *= readings.back().size();
      if (combinations > kMaxWordCombinations) break;
    }
    if (combinations <= kMaxWordCombinations) {
      for (std::size_t c = 0; c < combinations; ++c) {
        std::vector<std::string> reading;
        std::size_t rest = c;
        for (const auto& choices : readings) {
          const std::vector<std::string>& chosen = choices[rest % choices.size()];
          rest /= choices.size();
          reading.insert(reading.end(), chosen.begin(), chosen.end());
        }
        NamedBy(tables, vocabulary, reading, reading, found);
      }
    }
  }

  // A multiplier form that shows as a plain unit of its quantity is that unit ("kilo" + "gram"
  // is "kilogram"); each unit once. The file's own reading of a symbol as written comes first
  // ("gal" the gallon before the galileo, "newton" the force before the temperature scale),
  // then plain before multiplied, then catalogue order.
  for (UnitMatch& match : found) {
    if (match.multiplier == tables.NoMultiplierIndex ||
        match.quantity >= static_cast<int>(vocabulary.plainLabels.size())) {
      continue;
    }
    const auto& labels = vocabulary.plainLabels[static_cast<std::size_t>(match.quantity)];
    const auto plain = labels.find(FoldedLabel(LabelOf(tables, catalogue, match).c_str()));
    if (plain != labels.end()) match = UnitMatch{match.quantity, tables.NoMultiplierIndex, plain->second};
  }
  const std::vector<UnitMatch> writtenUnits(found.begin(),
                                            found.begin() + static_cast<std::ptrdiff_t>(written));
  auto order = [&](const UnitMatch& m) {
    const bool inFile =
        std::find(writtenUnits.begin(), writtenUnits.end(), m) != writtenUnits.end();
    return std::make_tuple(!inFile, m.multiplier != tables.NoMultiplierIndex, m.quantity, m.unit,
                           m.multiplier);
  };
  std::sort(found.begin(), found.end(),
            [&](const UnitMatch& a, const UnitMatch& b) { return order(a) < order(b); });
  found.erase(std::unique(found.begin(), found.end()), found.end());
  return found;
}

}  // namespace quantora
