// The fuzz input is a vocabulary file and a text typed into the find field, split at the first
// NUL byte: the reader must stay inside the catalogue's tables whatever the file holds, and the
// search must offer only units the catalogue holds, each once, at most the most it keeps.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <tuple>

#include "testing/shipped_files_test_util.h"
#include "units/unit_vocabulary.h"

namespace {

struct Shipped {
  const quantora::UnitTables& tables = quantora::ShippedTables();
  quantora::UnitCatalogue catalogue =
      quantora::LoadUnitCatalogue(tables, quantora::ShippedCatalogue().c_str());
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quantora;
  static const Shipped shipped;
  const char* bytes = reinterpret_cast<const char*>(data);
  const char* nul = static_cast<const char*>(std::memchr(bytes, '\0', size));
  const std::size_t fileSize = nul ? static_cast<std::size_t>(nul - bytes) : size;
  const std::string text = nul ? std::string(nul + 1, bytes + size) : std::string();
  static char empty[1];
  void* buffer = fileSize > 0 ? const_cast<char*>(bytes) : static_cast<void*>(empty);
  const DataFileOpener open = [&](const char*) { return fmemopen(buffer, fileSize, "r"); };

  const UnitVocabulary vocabulary =
      LoadUnitVocabulary(shipped.tables, shipped.catalogue, kVocabularyFileName, open);
  const int quantities = static_cast<int>(shipped.catalogue.units.size());
  for (const int current : {0, 7, 9999}) {
    const std::vector<UnitMatch> found =
        FindUnits(shipped.tables, shipped.catalogue, vocabulary, text, current);
    if (static_cast<int>(found.size()) > kMaxUnitMatches) __builtin_trap();
    std::set<std::tuple<int, int, int>> seen;
    for (const UnitMatch& m : found) {
      if (m.quantity < 0 || m.quantity >= quantities) __builtin_trap();
      const int units = static_cast<int>(shipped.catalogue.units[m.quantity].size());
      if (m.unit < 0 || m.unit >= units) __builtin_trap();
      if (m.multiplier < 0 || m.multiplier >= shipped.tables.NumberOfScalers) __builtin_trap();
      if (!seen.emplace(m.quantity, m.multiplier, m.unit).second) __builtin_trap();
      if (UnitMatchText(shipped.tables, shipped.catalogue, m).empty()) __builtin_trap();
    }
  }
  return 0;
}
