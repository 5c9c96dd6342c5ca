// A typed conversion over the shipped catalogue: whatever the text, the reader never crashes,
// never hangs, and a reading it accepts pairs every slot's two sides in one quantity of the
// catalogue, with a unit row that exists; its line stays short.
#include <cstdint>
#include <memory>
#include <string>

#include "conversion/typed_conversion.h"
#include "testing/shipped_files_test_util.h"

namespace {

struct Shipped {
  const quantora::UnitTables& tables = quantora::ShippedTables();  // (the reader keeps them)
  std::unique_ptr<quantora::TypedConversionReader> reader;
  std::vector<std::size_t> units;  // per quantity
};

const Shipped& Catalogue() {
  static const Shipped shipped = [] {
    const std::string& path = quantora::ShippedCatalogue();
    Shipped s;
    const quantora::UnitCatalogue catalogue = quantora::LoadUnitCatalogue(s.tables, path.c_str());
    for (const auto& units : catalogue.units) s.units.push_back(units.size());
    s.reader = quantora::LoadTypedConversionReader(s.tables, path.c_str());
    return s;
  }();
  return shipped;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quantora;
  if (size > 400) return 0;  // the dialog's field holds 200 characters
  const Shipped& shipped = Catalogue();
  const std::string text(reinterpret_cast<const char*>(data), size);
  const TypedConversion reading = shipped.reader->Read(text);
  if (reading.ok == !reading.reason.empty()) __builtin_trap();
  if (reading.ok) {
    int used = 0;
    for (int k = 0; k < kSlotCount; ++k) {
      const TypedSlot& slot = reading.slots[k];
      if (slot.input.quantity != slot.output.quantity) __builtin_trap();
      if (slot.input.quantity < 0) continue;
      ++used;
      if (!reading.multiUnit && k > 0) __builtin_trap();
      for (const TypedUnit& unit : {slot.input, slot.output}) {
        if (static_cast<std::size_t>(unit.quantity) >= shipped.units.size()) __builtin_trap();
        if (unit.unit < 0 ||
            static_cast<std::size_t>(unit.unit) >= shipped.units[static_cast<std::size_t>(unit.quantity)]) {
          __builtin_trap();
        }
        if (ScalerOf(shipped.tables, static_cast<std::uint16_t>(unit.multiplier)) == nullptr) __builtin_trap();
      }
    }
    if (used == 0) __builtin_trap();
  }
  NumericFormat format;
  if (shipped.reader->Line(text, format).size() > 1000) __builtin_trap();
  return 0;
}
