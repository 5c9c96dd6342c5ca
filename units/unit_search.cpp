#include "units/unit_search.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "units/unit_vocabulary.h"

namespace quantora {
namespace {

int Counted(int count, int capacity) {
  if (count < 0) return 0;
  return count < capacity ? count : capacity;
}

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Letters and digits count, and so does every byte outside ASCII (a letter of some code page);
// the caret and the other ASCII signs do not.
bool Counts(unsigned char c) {
  return c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(unsigned char c) {
  return static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
}

// The text as names are compared: lower case, the caret and punctuation gone ("foot; US" is
// "foot us"), blanks as they come. Also the same text without its blanks, for "begins with".
void Fold(const char* text, std::string& folded, std::string& joined) {
  folded.clear();
  joined.clear();
  for (; *text; ++text) {
    const unsigned char c = static_cast<unsigned char>(*text);
    if (IsBlank(c)) {
      folded += ' ';
    } else if (Counts(c)) {
      folded += Lower(c);
      joined += Lower(c);
    }
  }
}

std::vector<std::string> Words(const std::string& folded) {
  std::vector<std::string> words;
  std::size_t start = 0;
  while ((start = folded.find_first_not_of(' ', start)) != std::string::npos) {
    const std::size_t end = folded.find(' ', start);
    words.push_back(folded.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end;
  }
  return words;
}

// The typed text against one name, and the rank a match takes within its group: 0 a current
// quantity's name that begins with the text, 2 another quantity's, 4 and 6 the same for names
// that only hold its words.
class Query {
 public:
  Query(const std::string& text, const UnitVocabulary& vocabulary) {
    std::string folded;
    Fold(text.c_str(), folded, joined_);
    words_ = Words(folded);
    // A plural is also looked for as its singular, "miles" in "mile per hour" and "inches" in
    // "Square inches" alike.
    for (const std::string& word : words_) singular_.push_back(ComparedWord(vocabulary, word));
  }
  bool Empty() const { return words_.empty(); }
  const std::vector<std::string>& TypedWords() const { return words_; }

  int Rank(const char* name, bool current) {
    Fold(name, folded_, nameJoined_);
    return RankFolded(folded_, nameJoined_, current);
  }
  bool Holds(const std::string& folded) const {
    for (std::size_t i = 0; i < words_.size(); ++i) {
      if (folded.find(words_[i]) == std::string::npos &&
          folded.find(singular_[i]) == std::string::npos) {
        return false;
      }
    }
    return true;
  }
  int RankFolded(const std::string& folded, const std::string& joined, bool current) const {
    if (!Holds(folded)) return -1;
    const bool begins = joined.compare(0, joined_.size(), joined_) == 0;
    return (begins ? 0 : 2) + (current ? 0 : 1);
  }

 private:
  std::vector<std::string> words_, singular_;
  std::string joined_;
  std::string folded_, nameJoined_;  // kept between names, to spare allocations
};

// The matches by rank, each rank in the order they were offered: every plain name in catalogue
// order, then the multiplier forms, so a plain name comes before a multiplier form of its rank.
class Ranks {
 public:
  void Offer(int rank, const UnitMatch& match) {
    if (rank >= 0) byRank_[rank].push_back(match);
  }
  // After the exact matches already there, which are not repeated.
  void AppendTo(std::vector<UnitMatch>& matches) const {
    const std::size_t exact = matches.size();
    for (const std::vector<UnitMatch>& rank : byRank_) {
      for (const UnitMatch& match : rank) {
        if (static_cast<int>(matches.size()) >= kMaxUnitMatches) return;
        const auto end = matches.begin() + static_cast<std::ptrdiff_t>(exact);
        if (std::find(matches.begin(), end, match) == end) matches.push_back(match);
      }
    }
  }

 private:
  std::vector<UnitMatch> byRank_[4];
};

// The unit a match names, or nullptr when the catalogue holds none there.
const std::string* NameOf(const UnitCatalogue& catalogue, const UnitMatch& match) {
  const auto quantity = static_cast<std::size_t>(match.quantity);
  const auto unit = static_cast<std::size_t>(match.unit);  // a negative index is out too
  if (quantity >= catalogue.units.size() || unit >= catalogue.units[quantity].size()) {
    return nullptr;
  }
  return &catalogue.units[quantity][unit];
}

}  // namespace

UnitCatalogue LoadUnitCatalogue(const UnitTables& tables, const char* path,
                                const DataFileOpener& open) {
  UnitCatalogue catalogue;
  catalogue.units = LoadEveryUnitNames(tables, path, open);
  return catalogue;
}

std::vector<UnitMatch> FindUnits(const UnitTables& tables, const UnitCatalogue& catalogue,
                                 const UnitVocabulary& vocabulary, const std::string& text,
                                 int currentQuantity) {
  std::vector<UnitMatch> matches;
  Query query(text, vocabulary);
  if (query.Empty()) return matches;
  matches = FindExactUnits(tables, catalogue, vocabulary, text);
  std::stable_sort(matches.begin(), matches.end(), [&](const UnitMatch& a, const UnitMatch& b) {
    return a.quantity == currentQuantity && b.quantity != currentQuantity;
  });
  matches.resize(std::min<std::size_t>(matches.size(), kMaxUnitMatches));

  Ranks ranks;
  int q = 0;
  for (const std::vector<std::string>& units : catalogue.units) {
    int u = 0;
    for (const std::string& name : units) {
      ranks.Offer(query.Rank(name.c_str(), q == currentQuantity),
                  UnitMatch{q, tables.NoMultiplierIndex, u++});
    }
    ++q;
  }

  // A unit with a multiplier is found by its label: "kilometer", "Square kilometers", and only
  // for a multiplier the text names ("hectare" names no "hecto"). Folding goes character by
  // character, so a label folds to the folded text before the multiplier's place, the folded
  // multiplier and the folded rest: each unit is composed and folded once, with a mark for the
  // multiplier's place, and each multiplier once.
  const int scalers = Counted(tables.NumberOfScalers, kMaxScalers);
  std::vector<int> named;
  std::vector<std::string> prefix(static_cast<std::size_t>(scalers)), prefixJoined(prefix);
  for (int m = 0; m < scalers; ++m) {
    const std::size_t i = static_cast<std::size_t>(m);
    Fold(tables.Scalers[m].Name, prefix[i], prefixJoined[i]);
    if (m == tables.NoMultiplierIndex || prefixJoined[i].empty()) continue;
    for (const std::string& word : query.TypedWords()) {
      if (word.find(prefixJoined[i]) != std::string::npos) {
        named.push_back(m);
        break;
      }
    }
  }
  static const char kPlace[] = "\x01";  // no letter, digit or blank: folding drops it
  static const std::vector<std::vector<std::string>> kNoUnits;
  char label[kLabelSize];
  std::string head, headJoined, tail, tailJoined, folded, joined;
  q = 0;
  for (const std::vector<std::string>& units : named.empty() ? kNoUnits : catalogue.units) {
    int u = -1;
    for (const std::string& name : units) {
      ++u;
      ComposeLabel(kPlace, name.c_str(), label);
      char* place = std::strstr(label, kPlace);
      if (place == nullptr) continue;  // a name too long to leave room; none can be
      *place = '\0';
      Fold(label, head, headJoined);
      Fold(place + 1, tail, tailJoined);
      for (const int m : named) {
        const std::size_t i = static_cast<std::size_t>(m);
        folded.assign(head).append(prefix[i]).append(tail);
        if (!query.Holds(folded)) continue;
        joined.assign(headJoined).append(prefixJoined[i]).append(tailJoined);
        // A form that shows as a plain unit of the quantity is that unit, offered as such.
        // (A vocabulary read with another catalogue knows nothing of this one's labels.)
        const std::size_t at = static_cast<std::size_t>(q);
        if (at < vocabulary.plainLabels.size() && vocabulary.plainLabels[at].count(joined)) {
          continue;
        }
        ranks.Offer(query.RankFolded(folded, joined, q == currentQuantity), UnitMatch{q, m, u});
      }
    }
    ++q;
  }
  ranks.AppendTo(matches);
  return matches;
}

std::string UnitMatchText(const UnitTables& tables, const UnitCatalogue& catalogue,
                          const UnitMatch& match) {
  const char* dimension = DimensionLabelOf(tables, static_cast<std::uint16_t>(match.quantity));
  const std::string* name = NameOf(catalogue, match);
  if (dimension == nullptr || name == nullptr) return "";
  const char* prefix = "";
  if (match.multiplier != tables.NoMultiplierIndex) {
    const ScalerEntry* scaler = ScalerOf(tables, static_cast<std::uint16_t>(match.multiplier));
    if (scaler == nullptr) return "";
    prefix = scaler->Name;
  }
  char label[kLabelSize];
  ComposeLabel(prefix, name->c_str(), label);
  std::string text = label;
  // "Celsius = 1" names the unit "Celsius " in the list; the line shows no blank before "(".
  text.erase(text.find_last_not_of(' ') + 1);
  return text + " (" + dimension + ")";
}

void UnitFinder::Type(const std::string& text, const UnitTables& tables, int currentQuantity,
                      const char* dataPath) {
  typed_ = !text.empty();
  shown_ = 0;
  currentQuantity_ = currentQuantity;
  matches_.clear();
  if (!typed_) return;
  if (!vocabulary_) {
    catalogue_ = LoadUnitCatalogue(tables, dataPath);
    vocabulary_ = std::make_shared<const UnitVocabulary>(LoadUnitVocabulary(
        tables, catalogue_, VocabularyPathBeside(dataPath).c_str()));
  }
  matches_ = FindUnits(tables, catalogue_, *vocabulary_, text, currentQuantity);
}

void UnitFinder::Step(int delta) {
  const int last = static_cast<int>(matches_.size()) - 1;
  shown_ += delta;
  if (shown_ > last) shown_ = last;
  if (shown_ < 0) shown_ = 0;
}

const UnitMatch* UnitFinder::Shown() const {
  return matches_.empty() ? nullptr : &matches_[static_cast<std::size_t>(shown_)];
}

std::string UnitFinder::Line(const UnitTables& tables) const {
  const UnitMatch* match = Shown();
  if (match == nullptr) return typed_ ? kNoUnitMatches : "";
  std::string line = UnitMatchText(tables, catalogue_, *match) + ", " +
                     std::to_string(shown_ + 1) + " of " + std::to_string(matches_.size());
  if (match->quantity != currentQuantity_ &&
      DimensionLabelOf(tables, static_cast<std::uint16_t>(currentQuantity_)) != nullptr) {
    line += kChangesQuantity;
  }
  return line;
}

bool UnitFinder::Lists(const QuantityRecord& record, const UnitMatch& match) const {
  const std::string* name = NameOf(catalogue_, match);
  return name != nullptr && match.quantity == record.DimensionIndex &&
         *name == UnitNameOf(record, static_cast<std::uint16_t>(match.unit));
}

}  // namespace quantora
