#include "conversion/typed_conversion.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <utility>

#include "numbers/number_text.h"
#include "units/unit_dialog.h"
#include "units/unit_vocabulary.h"

namespace quantora {
namespace {

constexpr int kMaxCandidates = 4;   // readings of one unit word that are tried
constexpr int kMaxPower = 6;        // the highest power of one unit a side may hold
constexpr int kMaxCombinations = 400;  // readings of a whole line that are tried
constexpr int kMaxDepth = 4;        // units named by other compound units, nested
constexpr std::size_t kMaxSpanWords = 8;  // the longest name tried as one unit
constexpr std::size_t kMaxSplits = 16;    // places a line is split at

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
std::string LowerText(std::string text) {
  for (char& c : text) c = Lower(c);
  return text;
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
std::string Trim(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// Texts typed or passed in UTF-8 (a command line, a pasted text) hold the signs of the
// program's code page in two or three bytes: each becomes its one byte.
std::string Normalise(const std::string& text) {
  static const struct {
    const char* from;
    const char* to;
  } kSigns[] = {{"\xC2\xB0", "\xB0"}, {"\xC2\xB2", "\xB2"}, {"\xC2\xB3", "\xB3"},
                {"\xC2\xB5", "\xB5"}, {"\xCE\xBC", "\xB5"}, {"\xC2\xB7", "\xB7"},
                {"\xC3\x97", "\xD7"}, {"\xE2\x8B\x85", "\xB7"}, {"\xE2\x88\x92", "-"},
                {"\xE2\x86\x92", "->"}, {"\xC2\xB9", "\xB9"}, {"\xE2\x80\xA2", "\xB7"},
                {"\xCE\xA9", "ohm"},   {"\xE2\x84\xA6", "ohm"}, {"\xE2\x80\xB2", "'"},
                {"\xE2\x80\xB3", "\""}};
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    bool replaced = false;
    for (const auto& sign : kSigns) {
      const std::size_t length = std::strlen(sign.from);
      if (text.compare(i, length, sign.from) == 0) {
        out += sign.to;
        i += length;
        replaced = true;
        break;
      }
    }
    if (!replaced) out += text[i++];
  }
  return out;
}

enum class Tok { Number, Word, Per, Times, Power, Separator };
struct Token {
  Tok kind;
  std::size_t begin, end;  // in the normalised text
  double value = 0.0;       // a number
  int power = 0;            // a power
};

bool EndsWord(unsigned char c) {
  return IsBlank(static_cast<char>(c)) || std::strchr("/*(),=^?!;", c) != nullptr || c == 0xB7 ||
         c == 0xD7 || c == 0xB2 || c == 0xB3 || c == 0xB9;
}

// A number as the value field takes it, from text[i]: sign, digits (with groups of three
// after commas), point, exponent. Returns its end, or i when there is none.
std::size_t ScanNumber(const std::string& text, std::size_t i, double& value) {
  std::size_t j = i;
  if (j < text.size() && (text[j] == '-' || text[j] == '+')) ++j;
  const std::size_t digits = j;
  while (j < text.size() && IsDigit(text[j])) ++j;
  while (j > digits && j + 3 < text.size() && text[j] == ',' && IsDigit(text[j + 1]) &&
         IsDigit(text[j + 2]) && IsDigit(text[j + 3]) &&
         (j + 4 >= text.size() || !IsDigit(text[j + 4]))) {
    j += 4;
  }
  if (j < text.size() && text[j] == '.' && j + 1 < text.size() && IsDigit(text[j + 1])) {
    for (++j; j < text.size() && IsDigit(text[j]);) ++j;
  }
  if (j == digits) return i;  // a point alone is no number
  if (j < text.size() && (text[j] == 'e' || text[j] == 'E')) {
    std::size_t k = j + 1;
    if (k < text.size() && (text[k] == '-' || text[k] == '+')) ++k;
    if (k < text.size() && IsDigit(text[k])) {
      while (k < text.size() && IsDigit(text[k])) ++k;
      j = k;
    }
  }
  std::string number = text.substr(i, j - i);
  number.erase(std::remove(number.begin(), number.end(), ','), number.end());
  value = ParseInputValue(number.c_str());
  return j;
}

std::vector<Token> Lex(const std::string& text) {
  std::vector<Token> tokens;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsBlank(text[i]) || std::strchr("(),?!;", c) != nullptr) {
      ++i;
    } else if (text.compare(i, 2, "->") == 0 || text.compare(i, 2, "=>") == 0) {
      tokens.push_back({Tok::Separator, i, i + 2});
      i += 2;
    } else if (c == '=') {
      tokens.push_back({Tok::Separator, i, i + 1});
      ++i;
    } else if (c == '/') {
      tokens.push_back({Tok::Per, i, i + 1});
      ++i;
    } else if (c == '*' || c == 0xB7 || c == 0xD7) {
      tokens.push_back({Tok::Times, i, i + 1});
      ++i;
    } else if (c == 0xB2 || c == 0xB3 || c == 0xB9) {
      Token power{Tok::Power, i, i + 1};
      power.power = c == 0xB2 ? 2 : c == 0xB3 ? 3 : 1;
      tokens.push_back(power);
      ++i;
    } else if (c == '^') {
      double value = 0.0;
      const std::size_t end = ScanNumber(text, i + 1, value);
      Token power{Tok::Power, i, end > i + 1 ? end : i + 1};
      power.power = static_cast<int>(value);
      if (end == i + 1 || value != std::floor(value) || std::fabs(value) > 9) power.power = 0;
      tokens.push_back(power);
      i = power.end;
    } else {
      double value = 0.0;
      const std::size_t end = ScanNumber(text, i, value);
      if (end > i) {
        Token number{Tok::Number, i, end};
        number.value = value;
        tokens.push_back(number);
        i = end;
        continue;
      }
      // The marks for feet and inches stand alone: 5'11".
      std::size_t j = i + 1;
      if (c != '\'' && c != '"') {
        while (j < text.size() && !EndsWord(static_cast<unsigned char>(text[j])) &&
               text.compare(j, 2, "->") != 0 && text[j] != '\'' && text[j] != '"') {
          ++j;
        }
      }
      tokens.push_back({Tok::Word, i, j});
      i = j;
    }
  }
  return tokens;
}

// One unit as it stands in an expression: which unit, with which multiplier, to which power.
struct Factor {
  int q = 0, m = 0, u = 0, e = 1;
  std::string text;  // as typed, for the messages
};
using Key = std::vector<std::array<int, 4>>;  // sorted (quantity, unit, multiplier, power)

struct Term {
  std::vector<UnitMatch> candidates;
  int exponent = 1;
  std::string text;
};
struct Group {
  double value = 1.0;
  bool hasValue = false;
  std::vector<Term> terms;
  std::string text;
};
struct TypedSide {
  std::string reason;
  std::vector<Group> groups;
};

bool IsWord(const std::string& text, const Token& token, const char* word) {
  return token.kind == Tok::Word && LowerText(text.substr(token.begin, token.end - token.begin)) == word;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

struct TypedConversionReader::Index {
  // The units a catalogue unit's own name is made of ("kilometer per hour": kilometer, hour
  // to the power -1; "Square ^feet": foot squared); empty for a unit of one word.
  std::vector<std::vector<std::vector<Factor>>> parts;
  // The catalogue units by the base units they are made of.
  std::map<Key, std::vector<std::pair<int, int>>> byKey;
};

namespace {

// What a reading of the line is made of, and the reasons found on the way.
class Reading {
 public:
  Reading(const UnitTables& tables, const UnitCatalogue& catalogue, const UnitFactorTable& factors,
          const UnitResolver& resolver, const TypedConversionReader::Index* index)
      : tables_(tables), catalogue_(catalogue), factors_(factors), resolver_(resolver),
        index_(index) {}

  // The units a text names, the likeliest first.
  std::vector<UnitMatch> Resolve(const std::string& text) const {
    // 5'11": the marks for feet and inches, where the names written for units lack them.
    std::vector<UnitMatch> found = resolver_(text == "'" ? "foot" : text == "\"" ? "inch" : text);
    // "100 F to C": the letters of the temperature scales are farad and coulomb to the
    // catalogue's symbols, but a temperature is what most lines mean by them; the scale is
    // tried after the symbol's own units.
    static const char* const kScales[] = {"Fahrenheit", "Celsius", "Kelvin", "Rankine"};
    if (text.size() == 1) {
      for (const char* scale : kScales) {
        if (Lower(text[0]) != Lower(scale[0])) continue;
        const std::vector<UnitMatch> named = resolver_(scale);
        if (!named.empty()) found.push_back(named[0]);
      }
    }
    // Words with a second reading that a line means when the first does not convert: "500 ml
    // to oz" asks for fluid ounces, "10 m/s2 to g" for standard gravities, "1 pound to
    // newtons" for pounds-force.
    static const struct {
      const char* word;
      const char* second;
    } kSecondReadings[] = {{"oz", "fl oz"},         {"ounce", "fluid ounce"},
                           {"ounces", "fluid ounce"}, {"g", "standard gravity"},
                           {"pound", "pound-force"},  {"pounds", "pound-force"},
                           {"lb", "lbf"},             {"lbs", "lbf"}};
    for (const auto& reading : kSecondReadings) {
      if (LowerText(text) != reading.word) continue;
      const std::vector<UnitMatch> named = resolver_(reading.second);
      if (!named.empty()) found.push_back(named[0]);
    }
    std::vector<UnitMatch> unique;
    for (const UnitMatch& match : found) {
      if (!Known(match)) continue;
      if (std::find(unique.begin(), unique.end(), match) != unique.end()) continue;
      if (static_cast<int>(unique.size()) < kMaxCandidates || &match == &found.back()) {
        unique.push_back(match);
      }
    }
    return unique;
  }

  bool Known(const UnitMatch& match) const {
    if (match.quantity < 0 || match.quantity >= static_cast<int>(catalogue_.units.size())) return false;
    if (match.unit < 0 ||
        match.unit >= static_cast<int>(catalogue_.units[static_cast<std::size_t>(match.quantity)].size())) {
      return false;
    }
    return ScalerOf(tables_, static_cast<std::uint16_t>(match.multiplier)) != nullptr &&
           FactorOf(match).found;
  }

  const UnitFactor& FactorOf(const UnitMatch& match) const {
    static const UnitFactor kNone;
    if (match.quantity >= static_cast<int>(factors_.units.size())) return kNone;
    const auto& units = factors_.units[static_cast<std::size_t>(match.quantity)];
    if (match.unit >= static_cast<int>(units.size())) return kNone;
    return units[static_cast<std::size_t>(match.unit)];
  }

  // The terms of an expression between begin and end ("kg m/s²"), or a reason. With
  // partsOnly the whole text is not taken as one unit: a catalogue name is read into the
  // other units it is made of.
  bool ParseTerms(const std::string& text, const std::vector<Token>& tokens, std::size_t begin,
                  std::size_t end, std::vector<Term>& terms, std::string& reason,
                  bool partsOnly = false) const {
    bool divide = false;
    int pending = 1;
    for (std::size_t i = begin; i < end;) {
      const Token& token = tokens[i];
      if (token.kind == Tok::Per || IsWord(text, token, "per")) {
        divide = true;
        ++i;
        continue;
      }
      if (token.kind == Tok::Times) {
        ++i;
        continue;
      }
      const bool squared = IsWord(text, token, "squared");
      if (token.kind == Tok::Power || squared || IsWord(text, token, "cubed")) {
        const int power = token.kind == Tok::Power ? token.power : squared ? 2 : 3;
        // No unit of the catalogue goes past a cube twice over: "m³³³³" is no power to
        // expand into its factors.
        if (terms.empty() || power == 0 || std::abs(terms.back().exponent * power) > kMaxPower) {
          reason = "Unexpected " + Quoted(text.substr(token.begin, token.end - token.begin));
          return false;
        }
        terms.back().exponent *= power;
        ++i;
        continue;
      }
      if (token.kind != Tok::Word) {
        reason = "Unexpected " + Quoted(text.substr(token.begin, token.end - token.begin));
        return false;
      }
      std::size_t last = i;
      while (last + 1 < end && last + 1 < i + kMaxSpanWords && tokens[last + 1].kind == Tok::Word) {
        ++last;
      }
      bool found = false;
      for (std::size_t j = last + 1; j-- > i && !found;) {
        Term term;
        term.text = Collapse(text.substr(token.begin, tokens[j].end - token.begin));
        // "meter per second squared" squares the second, not a meter per second, and
        // "cubic meter per second" cubes the meter; "square" alone is the power, not the
        // roofing unit.
        const bool powered = pending != 1 || (j + 1 < end && PowerFollows(text, tokens[j + 1]));
        if ((powered && term.text.find(" per ") != std::string::npos) ||
            (j == i && IsPowerWord(LowerText(term.text))) ||
            (partsOnly && i == begin && j + 1 == end)) {
          continue;
        }
        term.candidates = Resolve(term.text);
        if (term.candidates.empty()) continue;
        term.exponent = pending * (divide ? -1 : 1);
        pending = 1;
        // "BTU per hour foot degree F": what follows a unit read with its "per" divides too.
        if (term.text.find(" per ") != std::string::npos) divide = true;
        terms.push_back(term);
        i = j + 1;
        found = true;
      }
      if (found) continue;
      // "kg m/s2", "ft3": a power written as a digit after a unit.
      const std::string written = text.substr(token.begin, token.end - token.begin);
      if (written.size() > 1 && (written.back() == '2' || written.back() == '3')) {
        Term term{Resolve(written.substr(0, written.size() - 1)), 1, written};
        if (!term.candidates.empty()) {
          term.exponent = (written.back() - '0') * pending * (divide ? -1 : 1);
          pending = 1;
          terms.push_back(term);
          ++i;
          continue;
        }
      }
      const std::string word = LowerText(written);
      if (IsPowerWord(word)) {
        pending = word[0] == 's' ? 2 : 3;
        ++i;
        continue;
      }
      reason = "Unknown unit " + Quoted(text.substr(token.begin, token.end - token.begin));
      return false;
    }
    if (pending != 1 || terms.empty()) {
      reason = "No unit after " + Quoted(text.substr(tokens[end - 1].begin,
                                                     tokens[end - 1].end - tokens[end - 1].begin));
      return false;
    }
    return true;
  }

  static bool IsPowerWord(const std::string& word) {
    return word == "square" || word == "sq" || word == "cubic" || word == "cu";
  }

  static bool PowerFollows(const std::string& text, const Token& token) {
    return token.kind == Tok::Power || IsWord(text, token, "squared") || IsWord(text, token, "cubed");
  }

  static std::string Collapse(const std::string& text) {
    std::string out;
    for (char c : text) {
      if (IsBlank(c)) {
        if (!out.empty() && out.back() != ' ') out += ' ';
      } else {
        out += c;
      }
    }
    return Trim(out);
  }

  static bool IsFeet(const std::string& text) {
    const std::string lower = LowerText(text);
    return lower == "'" || lower == "ft" || lower == "ft." || lower == "feet" || lower == "foot";
  }

  // One side of the line: the input side holds values (a sum has several), the output none.
  TypedSide ParseSide(const std::string& text, const std::vector<Token>& tokens, std::size_t begin,
                 std::size_t end, bool input) const {
    TypedSide side;
    std::size_t i = begin;
    while (i < end) {
      Group group;
      if (tokens[i].kind == Tok::Number) {
        if (!input) {
          side.reason = "Unexpected number " + Quoted(text.substr(tokens[i].begin,
                                                                 tokens[i].end - tokens[i].begin));
          return side;
        }
        group.hasValue = true;
        group.value = tokens[i].value;
        ++i;
        // A fraction, "1/2 cup", or a whole number and one, "1 1/2 cups".
        std::size_t k = i;
        double whole = 0.0;
        if (k < end && tokens[k].kind == Tok::Number && k + 2 < end + 0 &&
            tokens[k + 1].kind == Tok::Per && tokens[k + 2].kind == Tok::Number) {
          whole = group.value;
          group.value = tokens[k].value;
          ++k;
        }
        if (k + 1 < end && tokens[k].kind == Tok::Per && tokens[k + 1].kind == Tok::Number &&
            tokens[k + 1].value != 0.0) {
          group.value = whole + group.value / tokens[k + 1].value;
          i = k + 2;
        }
      } else if (input && side.groups.empty() && i + 1 < end &&
                 (IsWord(text, tokens[i], "a") || IsWord(text, tokens[i], "an") ||
                  IsWord(text, tokens[i], "one"))) {
        group.hasValue = true;
        ++i;
      }
      std::size_t stop = i;
      while (stop < end && tokens[stop].kind != Tok::Number) ++stop;
      // "5 feet and 11 inches": the "and" before a value joins the sum.
      std::size_t unitsEnd = stop;
      if (stop < end && unitsEnd > i && IsWord(text, tokens[unitsEnd - 1], "and")) --unitsEnd;
      // 5'11 or "5 ft 11": the inches of a height written without their unit.
      if (unitsEnd == i && input && group.hasValue && i == end && !side.groups.empty() &&
          IsFeet(side.groups.back().text)) {
        group.text = "\"";
        group.terms.push_back(Term{Resolve(group.text), 1, group.text});
        side.groups.push_back(group);
        break;
      }
      if (unitsEnd == i) {
        const Token& at = tokens[i > begin ? i - 1 : begin];
        side.reason = (input ? "No unit after " : "No unit in ") +
                      Quoted(text.substr(at.begin, at.end - at.begin));
        return side;
      }
      group.text = Collapse(text.substr(tokens[i].begin, tokens[unitsEnd - 1].end - tokens[i].begin));
      // The whole text first: "lb ft", "N·m" and "km/h" may be written forms of their own.
      Term whole;
      if (unitsEnd - i > 1) whole.candidates = Resolve(group.text);
      if (!whole.candidates.empty()) {
        whole.text = group.text;
        group.terms.push_back(whole);
      } else if (!ParseTerms(text, tokens, i, unitsEnd, group.terms, side.reason)) {
        return side;
      }
      side.groups.push_back(group);
      i = stop;
    }
    return side;
  }

  // The factor list of a catalogue unit's own name, or none.
  const std::vector<Factor>* Parts(int q, int u) const {
    if (index_ == nullptr || q >= static_cast<int>(index_->parts.size())) return nullptr;
    const auto& units = index_->parts[static_cast<std::size_t>(q)];
    if (u >= static_cast<int>(units.size()) || units[static_cast<std::size_t>(u)].empty()) return nullptr;
    return &units[static_cast<std::size_t>(u)];
  }

  // Into base units as far as the catalogue's names tell: "kilometer per hour" is a kilometer
  // over an hour, "Square ^feet" with kilo a kilofoot squared.
  void Expand(const Factor& f, int depth, std::vector<Factor>& out) const {
    const std::vector<Factor>* parts = depth < kMaxDepth ? Parts(f.q, f.u) : nullptr;
    if (parts == nullptr || (f.m != tables_.NoMultiplierIndex &&
                             (*parts)[0].m != tables_.NoMultiplierIndex)) {
      out.push_back(f);
      return;
    }
    for (std::size_t k = 0; k < parts->size(); ++k) {
      Factor part = (*parts)[k];
      part.e *= f.e;
      if (k == 0) part.m = f.m;
      part.text = f.text;
      Expand(part, depth + 1, out);
    }
  }

  Key KeyOf(const std::vector<Factor>& factors, bool withMultipliers) const {
    std::vector<Factor> expanded;
    for (const Factor& f : factors) Expand(f, 0, expanded);
    std::map<std::array<int, 3>, int> powers;
    for (const Factor& f : expanded) {
      powers[{f.q, f.u, withMultipliers ? f.m : tables_.NoMultiplierIndex}] += f.e;
    }
    Key key;
    for (const auto& entry : powers) {
      if (entry.second != 0) key.push_back({entry.first[0], entry.first[1], entry.first[2], entry.second});
    }
    return key;
  }

  double ScalerMult(int m) const {
    const ScalerEntry* scaler = ScalerOf(tables_, static_cast<std::uint16_t>(m));
    return scaler ? scaler->Mult : 1.0;
  }

  bool HasCaret(int q, int u) const {
    return catalogue_.units[static_cast<std::size_t>(q)][static_cast<std::size_t>(u)].find('^') !=
           std::string::npos;
  }

  // How often the multiplier counts for a unit: twice or three times for a marked unit of
  // "Area" or "Volume", as the main window computes it.
  int PrefixPower(int q, int u) const {
    if (!HasCaret(q, u)) return 1;
    const char* label = DimensionLabelOf(tables_, static_cast<std::uint16_t>(q));
    if (label != nullptr && std::strcmp(label, "Area") == 0) return 2;
    if (label != nullptr && std::strcmp(label, "Volume") == 0) return 3;
    return 1;
  }

  // The catalogue units that are the whole side, with a multiplier where one makes them so
  // ("kN/m²" is kilo with "newton per square meter").
  std::vector<UnitMatch> SideUnits(const std::vector<Factor>& factors) const {
    std::vector<UnitMatch> units;
    if (factors.size() == 1 && factors[0].e == 1) {
      units.push_back({factors[0].q, factors[0].m, factors[0].u});
      return units;
    }
    if (index_ == nullptr) return units;
    auto found = index_->byKey.find(KeyOf(factors, true));
    if (found != index_->byKey.end()) {
      for (const auto& unit : found->second) units.push_back({unit.first, tables_.NoMultiplierIndex, unit.second});
    }
    double prefix = 1.0;
    for (const Factor& f : factors) prefix *= std::pow(ScalerMult(f.m), f.e);
    found = index_->byKey.find(KeyOf(factors, false));
    if (prefix == 1.0 || found == index_->byKey.end()) return units;
    for (const auto& unit : found->second) {
      const double wanted = std::pow(prefix, 1.0 / PrefixPower(unit.first, unit.second));
      for (int m = 0; m < tables_.NumberOfScalers && m < kMaxScalers; ++m) {
        if (m != tables_.NoMultiplierIndex && std::fabs(ScalerMult(m) - wanted) <= 1e-9 * wanted) {
          units.push_back({unit.first, m, unit.second});
          break;
        }
      }
    }
    return units;
  }

  // The slots of one side in the multi-unit mode: a power becomes the square or cubic unit
  // of the catalogue where there is one (m² is "Square meters"), else that many slots.
  void Slots(const std::vector<Factor>& factors, std::vector<Factor>& over,
             std::vector<Factor>& under) const {
    for (const Factor& f : factors) {
      const int power = f.e < 0 ? -f.e : f.e;
      std::vector<Factor>& into = f.e < 0 ? under : over;
      Factor one = f;
      one.e = 1;
      if (power > 1 && index_ != nullptr) {
        auto found = index_->byKey.find(Key{{f.q, f.u, tables_.NoMultiplierIndex, power}});
        if (found != index_->byKey.end()) {
          for (const auto& unit : found->second) {
            if (f.m != tables_.NoMultiplierIndex && !HasCaret(unit.first, unit.second)) continue;
            one.q = unit.first;
            one.u = unit.second;
            into.push_back(one);
            break;
          }
          if (one.q != f.q || one.u != f.u) continue;
        }
      }
      for (int k = 0; k < power; ++k) into.push_back(one);
    }
  }

  std::string Label(const TypedUnit& unit) const {
    const ScalerEntry* scaler = ScalerOf(tables_, static_cast<std::uint16_t>(unit.multiplier));
    const char* prefix = unit.multiplier == tables_.NoMultiplierIndex || scaler == nullptr ? "" : scaler->Name;
    char label[kLabelSize];
    ComposeLabel(prefix, catalogue_.units[static_cast<std::size_t>(unit.quantity)]
                             [static_cast<std::size_t>(unit.unit)].c_str(), label);
    std::string text = label;
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
  }

  std::string Described(const Factor& f) const {
    const char* quantity = DimensionLabelOf(tables_, static_cast<std::uint16_t>(f.q));
    return Label(TypedUnit{f.q, f.m, f.u}) + " (" + (quantity ? quantity : "") + ")";
  }

  // Pairs the slots of the two sides by quantity; false with the reason when they do not.
  bool Pair(const std::vector<Factor>& in, const std::vector<Factor>& out, int first,
            TypedConversion& conversion, std::string& reason) const {
    std::vector<bool> used(out.size(), false);
    for (std::size_t k = 0; k < in.size(); ++k) {
      bool paired = false;
      for (std::size_t j = 0; j < out.size() && !paired; ++j) {
        if (used[j] || out[j].q != in[k].q) continue;
        used[j] = paired = true;
        TypedSlot& slot = conversion.slots[static_cast<std::size_t>(first) + k];
        slot.input = {in[k].q, in[k].m, in[k].u};
        slot.output = {out[j].q, out[j].m, out[j].u};
      }
      if (!paired) {
        std::size_t other = 0;
        while (other < out.size() && used[other]) ++other;
        reason = Described(in[k]) + (other < out.size() ? " does not convert to " + Described(out[other])
                                                          : " has nothing to convert to");
        return false;
      }
    }
    for (std::size_t j = 0; j < out.size(); ++j) {
      if (!used[j]) {
        reason = "Nothing converts to " + Described(out[j]);
        return false;
      }
    }
    return true;
  }

  bool Multi(const std::vector<Factor>& in, const std::vector<Factor>& out,
             TypedConversion& conversion, std::string& reason) const {
    std::vector<Factor> inOver, inUnder, outOver, outUnder;
    Slots(in, inOver, inUnder);
    Slots(out, outOver, outUnder);
    for (const std::vector<Factor>* list : {&inOver, &inUnder, &outOver, &outUnder}) {
      if (list->size() > static_cast<std::size_t>(kColumnCount)) {
        reason = "Too many units: the multi-unit mode holds three over three, and " +
                 Quoted((*list)[kColumnCount].text) + " is a fourth";
        return false;
      }
    }
    conversion = TypedConversion{};
    return Pair(inOver, outOver, 0, conversion, reason) &&
           Pair(inUnder, outUnder, kColumnCount, conversion, reason);
  }

  // One reading of the line: each unit word taken as one of its candidates.
  bool Evaluate(const TypedSide& in, const TypedSide& out, const std::vector<int>& choice,
                TypedConversion& conversion, std::string& reason) const {
    std::size_t next = 0;
    auto factorsOf = [&](const Group& group) {
      std::vector<Factor> factors;
      for (const Term& term : group.terms) {
        const UnitMatch& match = term.candidates[static_cast<std::size_t>(choice[next++])];
        factors.push_back({match.quantity, match.multiplier, match.unit, term.exponent, term.text});
      }
      return factors;
    };
    std::vector<std::vector<Factor>> groups;
    for (const Group& group : in.groups) groups.push_back(factorsOf(group));
    const std::vector<Factor> output = factorsOf(out.groups[0]);
    const std::vector<Factor>& input = groups.back();
    double value = in.groups.back().hasValue ? in.groups.back().value : 1.0;
    if (groups.size() > 1) {
      // A sum, "5 ft 11 in": every part one unit of the last part's quantity, added up in
      // that last unit.
      const Factor& last = input[0];
      double base = 0.0;
      for (std::size_t g = 0; g < groups.size(); ++g) {
        const Factor& f = groups[g][0];
        if (groups[g].size() != 1 || f.e != 1) {
          reason = Quoted(in.groups[g].text) + " cannot be part of a sum";
          return false;
        }
        if (f.q != last.q) {
          reason = Described(f) + " does not add to " + Described(last);
          return false;
        }
        const UnitFactor& factor = FactorOf({f.q, f.m, f.u});
        if (factor.offset != 0.0) {
          reason = Described(f) + " is a point on a scale and cannot be part of a sum";
          return false;
        }
        double v = in.groups[g].hasValue ? in.groups[g].value : 1.0;
        // "-1 h 30 min" is an hour and a half back, not half an hour.
        if (g > 0 && in.groups[0].value < 0 && v > 0) v = -v;
        base += v * std::pow(ScalerMult(f.m), PrefixPower(f.q, f.u)) * factor.mult;
      }
      const UnitFactor& lastFactor = FactorOf({last.q, last.m, last.u});
      value = base / (std::pow(ScalerMult(last.m), PrefixPower(last.q, last.u)) * lastFactor.mult);
    }
    // One catalogue unit on each side, in one quantity: the simple mode.
    const std::vector<UnitMatch> inUnits = SideUnits(input);
    const std::vector<UnitMatch> outUnits = SideUnits(output);
    for (const UnitMatch& a : inUnits) {
      for (const UnitMatch& b : outUnits) {
        if (a.quantity != b.quantity) continue;
        conversion = TypedConversion{};
        conversion.slots[0].input = {a.quantity, a.multiplier, a.unit};
        conversion.slots[0].output = {b.quantity, b.multiplier, b.unit};
        conversion.value = value;
        conversion.ok = true;
        return true;
      }
    }
    if (!inUnits.empty() && !outUnits.empty() && input.size() == 1 && output.size() == 1) {
      const UnitMatch& a = inUnits[0];
      const UnitMatch& b = outUnits[0];
      reason = Described({a.quantity, a.multiplier, a.unit, 1, ""}) + " does not convert to " +
               Described({b.quantity, b.multiplier, b.unit, 1, ""});
      return false;
    }
    // Column by column, as typed, else in the units the catalogue's names are made of.
    std::string first;
    if (!Multi(input, output, conversion, first)) {
      std::vector<Factor> inBase, outBase;
      for (const Factor& f : input) Expand(f, 0, inBase);
      for (const Factor& f : output) Expand(f, 0, outBase);
      if (!Multi(inBase, outBase, conversion, reason)) {
        reason = first;
        return false;
      }
    }
    conversion.multiUnit = true;
    conversion.value = value;
    conversion.ok = true;
    return true;
  }

  // Tries the readings of the line, the likeliest first (the sum of the candidates' ranks).
  bool Choose(const TypedSide& in, const TypedSide& out, TypedConversion& conversion,
              std::string& reason) const {
    std::vector<int> sizes;
    for (const TypedSide* side : {&in, &out}) {
      for (const Group& group : side->groups) {
        for (const Term& term : group.terms) sizes.push_back(static_cast<int>(term.candidates.size()));
      }
    }
    int maxSum = 0;
    for (int size : sizes) maxSum += size - 1;
    int tried = 0;
    std::vector<int> choice(sizes.size());  // each place is set before a reading is tried
    for (int sum = 0; sum <= maxSum && tried < kMaxCombinations; ++sum) {
      if (Walk(in, out, sizes, choice, 0, sum, tried, conversion, reason)) return true;
    }
    return false;
  }

  bool Walk(const TypedSide& in, const TypedSide& out, const std::vector<int>& sizes, std::vector<int>& choice,
            std::size_t at, int left, int& tried, TypedConversion& conversion,
            std::string& reason) const {
    if (at == sizes.size()) {
      // Only the readings of this rank; the budget bounds a line of many ambiguous words.
      if (left != 0) return false;
      if (tried == kMaxCombinations) return false;
      ++tried;
      std::string why;
      if (Evaluate(in, out, choice, conversion, why)) return true;
      if (reason.empty()) reason = why;
      return false;
    }
    for (int k = 0; k < sizes[at] && k <= left; ++k) {
      choice[at] = k;
      if (Walk(in, out, sizes, choice, at + 1, left - k, tried, conversion, reason)) return true;
    }
    return false;
  }

 private:
  const UnitTables& tables_;
  const UnitCatalogue& catalogue_;
  const UnitFactorTable& factors_;
  const UnitResolver& resolver_;
  const TypedConversionReader::Index* index_;
};

// "how many feet in a mile" asks for a mile in feet; "convert" and "what is" go before.
std::string Rephrased(const std::string& text) {
  std::string lower = LowerText(text);
  for (const char* lead : {"convert ", "what is ", "what's ", "how much is "}) {
    if (lower.compare(0, std::strlen(lead), lead) == 0) return Rephrased(text.substr(std::strlen(lead)));
  }
  if (lower.compare(0, 9, "how many ") != 0) return text;
  const std::size_t in = lower.find(" in ", 9);
  if (in == std::string::npos) return text;
  std::string target = text.substr(9, in - 9);
  const std::string lowerTarget = LowerText(target);
  for (const char* verb : {" are", " is"}) {
    const std::size_t length = std::strlen(verb);
    if (lowerTarget.size() > length &&
        lowerTarget.compare(lowerTarget.size() - length, length, verb) == 0) {
      target.resize(target.size() - length);
    }
  }
  return text.substr(in + 4) + " to " + target;
}

}  // namespace

TypedConversionReader::TypedConversionReader(const UnitTables& tables, UnitCatalogue catalogue,
                                             UnitFactorTable factors, UnitResolver resolver)
    : tables_(tables), catalogue_(std::move(catalogue)), factors_(std::move(factors)),
      resolver_(std::move(resolver)), index_(std::make_unique<Index>()) {
  // Every catalogue unit whose name is made of other units, by the base units it comes to.
  const Reading reading(tables_, catalogue_, factors_, resolver_, nullptr);
  index_->parts.resize(catalogue_.units.size());
  for (std::size_t q = 0; q < catalogue_.units.size(); ++q) {
    index_->parts[q].resize(catalogue_.units[q].size());
    for (std::size_t u = 0; u < catalogue_.units[q].size(); ++u) {
      std::string name = catalogue_.units[q][u];
      name = name.substr(0, name.find(';'));
      name = name.substr(0, name.find('('));
      name.erase(std::remove(name.begin(), name.end(), '^'), name.end());
      // "foot-pound-force" is a foot and a pound-force: the parts of a hyphened name are
      // tried as words, and joined again where the joined form is a unit.
      const std::vector<Token> tokens = Lex(name);
      std::vector<Term> terms;
      std::string reason;
      if (!reading.ParseTerms(name, tokens, 0, tokens.size(), terms, reason, true) ||
          terms.empty()) {
        std::string spaced = name;
        std::replace(spaced.begin(), spaced.end(), '-', ' ');
        const std::vector<Token> words = Lex(spaced);
        terms.clear();
        if (!reading.ParseTerms(spaced, words, 0, words.size(), terms, reason, true)) continue;
      }
      if (terms.empty() || (terms.size() == 1 && terms[0].exponent == 1)) continue;
      std::vector<Factor>& parts = index_->parts[q][u];
      for (const Term& term : terms) {
        const UnitMatch& match = term.candidates[0];
        parts.push_back({match.quantity, match.multiplier, match.unit, term.exponent, term.text});
      }
    }
  }
  const Reading keyed(tables_, catalogue_, factors_, resolver_, index_.get());
  for (std::size_t q = 0; q < catalogue_.units.size(); ++q) {
    for (std::size_t u = 0; u < catalogue_.units[q].size(); ++u) {
      if (index_->parts[q][u].empty()) continue;
      index_->byKey[keyed.KeyOf(index_->parts[q][u], true)].push_back(
          {static_cast<int>(q), static_cast<int>(u)});
    }
  }
}

TypedConversionReader::~TypedConversionReader() = default;

TypedConversion TypedConversionReader::Read(const std::string& typed) const {
  TypedConversion conversion;
  const std::string text = Rephrased(Trim(Normalise(typed)));
  const std::vector<Token> tokens = Lex(text);
  const Reading reading(tables_, catalogue_, factors_, resolver_, index_.get());
  if (tokens.empty()) {
    conversion.reason = "Type a conversion, for example \"60 mph to km/h\"";
    return conversion;
  }
  // The places the line may be split: the separators, then "in" from the left.
  std::vector<std::size_t> splits;
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      const bool in = IsWord(text, tokens[i], "in");
      const bool other = tokens[i].kind == Tok::Separator || IsWord(text, tokens[i], "to") ||
                         IsWord(text, tokens[i], "into") || IsWord(text, tokens[i], "as");
      if (((pass == 0 && other) || (pass == 1 && in)) && splits.size() < kMaxSplits) {
        splits.push_back(i);
      }
    }
  }
  // The reason kept is that of the split that came furthest: two sides read but not
  // converting tell more than a side that could not be read.
  std::string reason;
  int reached = -1;
  for (std::size_t split : splits) {
    const std::string word = text.substr(tokens[split].begin, tokens[split].end - tokens[split].begin);
    std::string why;
    int stage = 0;
    if (split == 0) {
      why = "No unit before " + Quoted(word);
    } else if (split + 1 == tokens.size()) {
      why = "No unit after " + Quoted(word);
    } else {
      const TypedSide in = reading.ParseSide(text, tokens, 0, split, true);
      const TypedSide out = reading.ParseSide(text, tokens, split + 1, tokens.size(), false);
      why = in.reason.empty() ? out.reason : in.reason;
      if (why.empty() && out.groups.size() != 1) why = "No unit after " + Quoted(word);
      if (why.empty()) {
        stage = 1;
        if (reading.Choose(in, out, conversion, why)) return conversion;
      }
    }
    if (stage > reached) {
      reached = stage;
      reason = why;
    }
  }
  if (reached < 0) {
    const TypedSide in = reading.ParseSide(text, tokens, 0, tokens.size(), true);
    if (!in.reason.empty()) {
      reason = in.reason;
    } else {
      reason = "Nothing to convert to after " +
               Quoted(text.substr(tokens.back().begin, tokens.back().end - tokens.back().begin)) +
               ": add \"to\" and a unit";
    }
  }
  conversion = TypedConversion{};
  conversion.reason = reason;
  return conversion;
}

std::string TypedConversionReader::SideLabel(const TypedConversion& conversion, bool inputSide) const {
  const Reading reading(tables_, catalogue_, factors_, resolver_, index_.get());
  std::string over, under;
  for (int k = 0; k < kSlotCount; ++k) {
    const TypedUnit& unit = inputSide ? conversion.slots[k].input : conversion.slots[k].output;
    if (unit.quantity < 0) continue;
    std::string& into = k < kColumnCount ? over : under;
    into += (into.empty() ? "" : " ") + reading.Label(unit);
  }
  return under.empty() ? over : over + " per " + under;
}

double TypedConversionReader::Result(const TypedConversion& conversion) const {
  const Reading reading(tables_, catalogue_, factors_, resolver_, index_.get());
  auto state = std::make_unique<ConversionState>();
  for (int k = 0; k < kSlotCount; ++k) {
    QuantityRecord& record = state->QuantityRecords[k];
    const TypedSlot& slot = conversion.slots[k];
    for (bool input : {true, false}) {
      const TypedUnit& unit = input ? slot.input : slot.output;
      UnitSelection& side = Side(record, input);
      if (unit.quantity < 0) continue;
      const UnitFactor& factor = reading.FactorOf({unit.quantity, unit.multiplier, unit.unit});
      side.UnitMult = factor.mult;
      side.UnitOffset = factor.offset;
      side.UnitScalerMult = std::pow(reading.ScalerMult(unit.multiplier),
                                     reading.PrefixPower(unit.quantity, unit.unit));
      side.UnitSelected = 1;
    }
  }
  return ConvertValue(*state, conversion.value, conversion.multiUnit);
}

std::string TypedConversionReader::Line(const std::string& text, const NumericFormat& format) const {
  if (Trim(text).empty()) return "";
  const TypedConversion conversion = Read(text);
  if (!conversion.ok) return conversion.reason;
  NumericFormat plain = format;
  plain.TruncateTrailingZeroes = 1;
  // The value as typed, without the zeroes a format pads it with ("0", not "000").
  const std::string value = conversion.value == 0.0 ? "0" : FormatValue(conversion.value, plain);
  return value + " " + SideLabel(conversion, true) + " = " +
         FormatValue(Result(conversion), format) + " " + SideLabel(conversion, false);
}

bool TypedConversionReader::Apply(const TypedConversion& conversion, ConversionState& state,
                                  Reporter& reporter, const char* dataPath) const {
  if (!conversion.ok) return false;
  auto next = std::make_unique<ConversionState>(state);
  next->MultiDimensional = conversion.multiUnit ? 1 : 0;
  for (int k = 0; k < (conversion.multiUnit ? kSlotCount : 1); ++k) {
    QuantityRecord& record = next->QuantityRecords[k];
    const TypedSlot& slot = conversion.slots[k];
    if (slot.input.quantity < 0) {
      UndoQuantity(record, tables_);
      continue;
    }
    if (!PickQuantity(record, slot.input.quantity, tables_, reporter, dataPath)) return false;
    for (bool input : {true, false}) {
      const TypedUnit& unit = input ? slot.input : slot.output;
      PickMultiplier(record, input, unit.multiplier, tables_);
      PickUnit(record, input, unit.unit, tables_, reporter, dataPath);
      // The file read now must hold the unit the reading chose, at the same row.
      const UnitSelection& side = Side(record, input);
      if (!side.UnitSelected || side.UnitIndex != unit.unit ||
          catalogue_.units[static_cast<std::size_t>(unit.quantity)]
                          [static_cast<std::size_t>(unit.unit)] != UnitNameOf(record, side.UnitIndex)) {
        return false;
      }
      FinishSide(record, input, tables_);
    }
  }
  next->InputValue = conversion.value;
  next->InputValuePresent = 1;
  state = *next;
  return true;
}

UnitFactorTable LoadUnitFactorTable(const UnitTables& tables, const UnitCatalogue& catalogue,
                                    const char* path, const DataFileOpener& open) {
  UnitFactorTable table;
  table.units.resize(catalogue.units.size());
  for (std::size_t q = 0; q < catalogue.units.size(); ++q) table.units[q].resize(catalogue.units[q].size());
  std::FILE* file = open(path);
  if (file == nullptr) return table;
  // As picking a unit reads it: the quantity's section is the first line whose text from its
  // second character begins with the label; the unit's line is the first of the section
  // whose name, kept to 40 characters, is the unit's.
  const std::size_t count = catalogue.units.size();
  std::vector<bool> started(count, false), inSection(count, false);
  char line[kLineBufferSize];
  while (std::fgets(line, sizeof line, file)) {
    for (std::size_t q = 0; q < count; ++q) {
      // A line that starts with a blank also ends a section, but none of the units listed
      // lies beyond it, so only a head is looked for.
      if (inSection[q] && line[0] == '[') inSection[q] = false;
      if (inSection[q]) {
        const char* equals = std::strchr(line, '=');
        if (equals == nullptr) continue;
        std::string name(line, static_cast<std::size_t>(equals - line));
        name.resize(std::min<std::size_t>(name.size(), kMaxNameLength));
        for (std::size_t u = 0; u < catalogue.units[q].size(); ++u) {
          UnitFactor& factor = table.units[q][u];
          if (factor.found || catalogue.units[q][u] != name) continue;
          std::string rest(equals + 1);
          for (char& c : rest) {
            if (c == ',') c = ' ';
          }
          const std::string first = Trim(rest).substr(0, Trim(rest).find(' '));
          const std::string second = Trim(Trim(rest).substr(first.size()));
          factor.mult = first.empty() ? 0.0 : ParseInputValue(first.c_str());
          factor.offset = second.empty() ? 0.0 : ParseInputValue(second.c_str());
          factor.found = true;
        }
        continue;
      }
      const char* label = DimensionLabelOf(tables, static_cast<std::uint16_t>(q));
      if (!started[q] && label != nullptr && line[0] != '\0' &&
          std::strncmp(line + 1, label, std::strlen(label)) == 0) {
        started[q] = inSection[q] = true;
      }
    }
  }
  std::fclose(file);
  return table;
}

std::unique_ptr<TypedConversionReader> LoadTypedConversionReader(const UnitTables& tables,
                                                                 const char* dataPath) {
  UnitCatalogue catalogue = LoadUnitCatalogue(tables, dataPath);
  UnitFactorTable factors = LoadUnitFactorTable(tables, catalogue, dataPath);
  // The names people write, from the vocabulary file beside the catalogue; without it, the
  // catalogue's own names.
  auto names = std::make_shared<const UnitCatalogue>(catalogue);
  auto vocabulary = std::make_shared<const UnitVocabulary>(
      LoadUnitVocabulary(tables, *names, VocabularyPathBeside(dataPath).c_str()));
  UnitResolver resolver = [&tables, names, vocabulary](const std::string& text) {
    return FindExactUnits(tables, *names, *vocabulary, text);
  };
  return std::make_unique<TypedConversionReader>(tables, std::move(catalogue), std::move(factors),
                                                 std::move(resolver));
}

}  // namespace quantora
