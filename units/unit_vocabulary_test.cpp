#include "units/unit_vocabulary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/recording_reporter_test_util.h"
#include "testing/text_file_test_util.h"

namespace quantora {
namespace {

const std::string kData = std::string(QUANTORA_SOURCE_DIR) + "/data/";

struct Shipped {
  UnitTables tables;
  UnitCatalogue catalogue;
  explicit Shipped(const std::string& catalogueFile = kData + kUnitsDataFileName) {
    RecordingReporter reporter;
    LoadDimensionLabels(reporter, tables, catalogueFile.c_str());
    tables.NumberOfScalers = LoadScalers(reporter, tables, catalogueFile.c_str());
    catalogue = LoadUnitCatalogue(tables, catalogueFile.c_str());
  }
  std::string First(const UnitVocabulary& vocabulary, const std::string& text, int current) {
    const std::vector<UnitMatch> found = FindUnits(tables, catalogue, vocabulary, text, current);
    return found.empty() ? "" : UnitMatchText(tables, catalogue, found.front());
  }
};

enum { kLength = 0, kArea = 1, kAngularVelocity = 12, kNone = 9999 };

// The first match of texts as people type them, over the shipped catalogue and vocabulary:
// one row for each way of naming a unit and each rule of order.
TEST(UnitVocabulary, FirstMatchOfTypedTexts) {
  Shipped shipped;
  const UnitVocabulary vocabulary = LoadUnitVocabulary(
      shipped.tables, shipped.catalogue, VocabularyPathBeside((kData + "QUANTORA.TXT").c_str()).c_str());
  const struct {
    const char* text;
    int current;
    const char* first;
  } rows[] = {
      {"ft", kNone, "foot (Length)"},                        // a symbol of the file
      {"mm", kNone, "millimeter (Length)"},                  // prefix symbols, letter case kept
      {"Mm", kNone, "megameter (Length)"},
      {"MM", kNone, "momme; Japanese (Mass)"},               // neither: only the name holds it
      {"MPH", kNone, "mile per hour (Speed)"},               // case that tells nothing apart
      {"kpa", kNone, "kilopascal (Pressure)"},
      {"MVa", kNone, "megavolt-ampere (Power)"},             // the prefix's case, the rest any
      {"Kn", kNone, "kilonewton (Force)"},                   // before the name it makes
      {"Kn/m2", kNone, "kilonewton per square meter (Pressure)"},
      {"GbPS", kNone, ""},                                   // bits or bytes: not told
      {"\xB5" "F", kNone, "microfarad (Capacitance)"},       // bytes of the code page
      {"kWh", kNone, "kilowatt-hour (Energy)"},              // a prefix form that is a plain unit
      {"\xB0" "F", kNone, "Fahrenheit (Temperature Scale)"},
      {"miles per hour", kNone, "mile per hour (Speed)"},    // plurals, regular and not
      {"feet", kNone, "foot (Length)"},
      {"entities", kNone, "entity; particle (Amount of Substance)"},
      {"yds", kNone, "yard (Length)"},
      {"kms", kNone, "kilometer (Length)"},
      {"zentners", kNone, "Zentner; metric (50 kg) (Mass)"},
      {"kilometres per hour", kNone, "kilometer per hour (Speed)"},  // spellings
      {"ft\xB2", kNone, "Square feet (Area)"},               // powers and words for them
      {"mile\xB3", kNone, "Cubic miles (Volume)"},
      {"km/h2", kNone, "kilometer per hour squared (Acceleration)"},
      {"square foot", kNone, "Square feet (Area)"},
      {"sq mis", kNone, "Square miles (Area)"},              // a word spelled for one: mi
      {"cubic centimetres", kNone, "Cubic centimeters (Volume)"},
      {"km2", kLength, "Square kilometers (Area)"},
      {"miles/h", kNone, "mile per hour (Speed)"},           // "/" as "per", symbols as names
      {"KM per hour", kNone, "kilometer per hour (Speed)"},
      {"lb/yd3", kNone, "pound per cubic yard (Density)"},
      {"kilometer", kNone, "kilometer (Length)"},            // whole name before beginning
      {"watt", kNone, "watt (Power)"},
      {"kilom", kNone, "kilometer per second (Speed)"},      // plain before multiplied
      {"mb", kNone, "millibar (Pressure)"},                  // an entry with its multiplier
      {"bar", kNone, "bar (Pressure)"},
      {"newton", kNone, "newton (Force)"},                   // the file's reading first
      {"meters", kArea, "meter (Length)"},                   // exact before current quantity
      {"rpm", kAngularVelocity, "revolution per minute (Angular Velocity)"},  // then current
      {"0", kNone, "cable; international (1/10 nmi) (Length)"},  // every letter and digit
      {"9", kNone, "span; 9 inches (Length)"},
      {"Z", kNone, "Zentner; metric (50 kg) (Mass)"},
      {"z", kNone, "Zentner; metric (50 kg) (Mass)"},
      {"A", kNone, "ampere (Electric Current)"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(shipped.First(vocabulary, row.text, row.current), row.first);
  }
}

// The exact matches alone, as a typed conversion reads its units: the name before a ";",
// words in another order, and nothing for a text that only begins a name. Then multiplier
// forms only where the text names the multiplier ("hectare" has no "quettahectare"), none that
// shows as a plain unit ("kilowatt hour" has one "kilowatt-hour"), and no gigaradian for
// "grad", since the catalogue has a grad.
TEST(UnitVocabulary, ExactUnitsOnlyAndNoMultiplierFormsOfNoise) {
  Shipped shipped;
  const UnitVocabulary vocabulary = LoadUnitVocabulary(shipped.tables, shipped.catalogue,
                                                       (kData + kVocabularyFileName).c_str());
  const struct {
    const char* text;
    const char* first;
  } rows[] = {{"pounds", "pound; avoirdupois (Mass)"},
              {" feet", "foot (Length)"},  // a blank typed first
              {"imperial quarts", "quart; imperial (Volume)"},
              {"kilom", ""}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const std::vector<UnitMatch> found =
        FindExactUnits(shipped.tables, shipped.catalogue, vocabulary, row.text);
    EXPECT_EQ(found.empty() ? "" : UnitMatchText(shipped.tables, shipped.catalogue, found[0]),
              row.first);
  }
  const struct {
    const char* text;
    std::size_t matches;
  } counts[] = {{"hectare", 1}, {"kilowatt hour", 4}, {"kilo", kMaxUnitMatches}, {"grad", 3}};
  for (const auto& row : counts) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(FindUnits(shipped.tables, shipped.catalogue, vocabulary, row.text, kNone).size(),
              row.matches);
  }
}

// A damaged file is read as far as it goes: what cannot be read is passed over, and without
// the file the catalogue's names still serve.
TEST(UnitVocabulary, SkipsWhatItCannotRead) {
  Shipped shipped;
  const std::string file = testing::TestFile(
      "[prefixes]\nk = kilo\nk = mega\nQ = quetta\n/ = kilo\nK k = kilo\nx = nothing\n[words]\nmetre = meter\n"
      "sq metre = meter\n[Length]\nm*|mtr = meter\nm* = mile\nqm = quetta + meter\nqx = nothing + meter\n"
      "; km = a remark\nq = no such unit\nno equals sign\nzz = meter" + std::string(300, ' ') +
      "x\n[Xength]\nzz = meter\n");
  const UnitVocabulary damaged = LoadUnitVocabulary(shipped.tables, shipped.catalogue, file.c_str());
  EXPECT_EQ(damaged.entriesRead, 7);
  EXPECT_EQ(damaged.entriesSkipped, 10);
  EXPECT_EQ(shipped.First(damaged, "km", kNone), "kilometer (Length)");
  EXPECT_EQ(shipped.First(damaged, "mtr", kNone), "meter (Length)");
  EXPECT_EQ(shipped.First(damaged, "zz", kNone), "");
  const UnitVocabulary none = LoadUnitVocabulary(shipped.tables, shipped.catalogue, "no such file");
  EXPECT_EQ(shipped.First(none, "inches", kNone), "inch (Length)");
  EXPECT_EQ(shipped.First(none, "km", kNone), "");
}

}  // namespace
}  // namespace quantora
