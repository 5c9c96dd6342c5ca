#include "settings/settings.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "resources/convert.h"
#include "resources/strings.h"

namespace quantora {

namespace {

enum class SettingKind {
  Boolean,     // "TRUE" exactly is 1, any other text 0; written "TRUE" for 1, else "FALSE"
  Integer,     // the leading decimal number; written in signed decimal
  ShortIndex,  // an Integer kept in 16 bits (only the low 16 bits survive)
  Real,        // see FormatSettingsReal and ReadIniDouble
  Word         // the numeric notation: "SCIENTIFIC", "ENGINEERING" or "FIXED_DECIMAL"
};

enum class LoadRule {
  None,
  MustBeTrue,              // FilePresent: the start-up check
  SignificantDigitsRange,  // outside 1..8 becomes 1
  PlacesRange,             // outside 0..8 becomes 0
  DimensionIndexCap,       // above 100 becomes 9999 (kNoDimension)
  ScalerIndexInTable       // missing: NoMultiplierIndex; at or beyond NumberOfScalers too
};

// Which step of the load and of the save reads or writes a key.
enum class SettingGroup {
  General,    // FilePresent, read by the start-up check and by the save, never written
  Window,     // the window rectangle
  Mode,       // MultiDimensional
  LastValue,  // InputValue, InputValuePresent
  Slot,       // the eleven keys of each quantity slot
  Format      // the numeric format
};

// The records a load or a save walks. Only the ones a group touches need to be set.
struct SettingsRecords {
  ConversionState* state = nullptr;
  NumericFormat* format = nullptr;
  WindowRect* window = nullptr;
};

// Where a key's value lives in memory; exactly one member is set, by the key's kind.
struct SettingField {
  std::int32_t* integer = nullptr;  // Boolean, Integer
  std::uint16_t* index = nullptr;   // ShortIndex
  double* real = nullptr;           // Real
  Notation* word = nullptr;         // Word
};

struct SettingKey {
  const char* section;
  const char* key;          // for SettingGroup::Slot the base name, completed by the slot
  SettingKind kind;
  const char* defaultText;  // Boolean and Word
  double defaultNumber;     // Integer, ShortIndex and Real
  LoadRule rule;
  SettingGroup group;
  SettingField (*field)(const SettingsRecords& records, int slot);  // nullptr: not held
};

constexpr const char* kGeneral = "GENERAL";
constexpr const char* kPreferences = "USER_PREFERENCES";
constexpr const char* kLastUsed = "LAST_USED";
constexpr const char* kWindow = "Window";

SettingField Integer(std::int32_t* p) { SettingField f; f.integer = p; return f; }
SettingField Index(std::uint16_t* p) { SettingField f; f.index = p; return f; }
SettingField Real(double* p) { SettingField f; f.real = p; return f; }
SettingField Word(Notation* p) { SettingField f; f.word = p; return f; }

QuantityRecord& Slot(const SettingsRecords& r, int slot) { return r.state->QuantityRecords[slot]; }

using K = SettingKind;
using R = LoadRule;
using G = SettingGroup;

// Every key of the file, in the order the save writes each group.
const SettingKey kKeys[] = {
    {kGeneral, "FilePresent", K::Boolean, "FALSE", 0, R::MustBeTrue, G::General, nullptr},

    {kWindow, "normleft", K::Integer, nullptr, kDefaultWindowLeft, R::None, G::Window,
     [](const SettingsRecords& r, int) { return Integer(&r.window->left); }},
    {kWindow, "normright", K::Integer, nullptr, 200, R::None, G::Window,
     [](const SettingsRecords& r, int) { return Integer(&r.window->right); }},
    {kWindow, "normtop", K::Integer, nullptr, kDefaultWindowTop, R::None, G::Window,
     [](const SettingsRecords& r, int) { return Integer(&r.window->top); }},
    {kWindow, "normbottom", K::Integer, nullptr, 200, R::None, G::Window,
     [](const SettingsRecords& r, int) { return Integer(&r.window->bottom); }},

    {kLastUsed, "InputValue", K::Real, nullptr, 1.0, R::None, G::LastValue,
     [](const SettingsRecords& r, int) { return Real(&r.state->InputValue); }},
    {kLastUsed, "InputValuePresent", K::Boolean, "FALSE", 0, R::None, G::LastValue,
     [](const SettingsRecords& r, int) { return Integer(&r.state->InputValuePresent); }},

    {kLastUsed, "DimensionIndex", K::ShortIndex, nullptr, 0, R::DimensionIndexCap, G::Slot,
     [](const SettingsRecords& r, int s) { return Index(&Slot(r, s).DimensionIndex); }},
    {kLastUsed, "InputUnitIndex", K::ShortIndex, nullptr, 0, R::None, G::Slot,
     [](const SettingsRecords& r, int s) { return Index(&Slot(r, s).Input.UnitIndex); }},
    {kLastUsed, "InputUnitMult", K::Real, nullptr, 1.0, R::None, G::Slot,
     [](const SettingsRecords& r, int s) { return Real(&Slot(r, s).Input.UnitMult); }},
    {kLastUsed, "InputUnitOffset", K::Real, nullptr, 0.0, R::None, G::Slot,
     [](const SettingsRecords& r, int s) { return Real(&Slot(r, s).Input.UnitOffset); }},
    {kLastUsed, "InputUnitSelected", K::Boolean, "FALSE", 0, R::None, G::Slot,
     [](const SettingsRecords& r, int s) { return Integer(&Slot(r, s).Input.UnitSelected); }},
    {kLastUsed, "InputUnitScalerIndex", K::ShortIndex, nullptr, 0, R::ScalerIndexInTable, G::Slot,
     [](const SettingsRecords& r, int s) { return Index(&Slot(r, s).Input.UnitScalerIndex); }},
    {kLastUsed, "OutputUnitIndex", K::ShortIndex, nullptr, 0, R::None, G::Slot,
     [](const SettingsRecords& r, int s) { return Index(&Slot(r, s).Output.UnitIndex); }},
    {kLastUsed, "OutputUnitMult", K::Real, nullptr, 1.0, R::None, G::Slot,
     [](const SettingsRecords& r, int s) { return Real(&Slot(r, s).Output.UnitMult); }},
    {kLastUsed, "OutputUnitOffset", K::Real, nullptr, 0.0, R::None, G::Slot,
     [](const SettingsRecords& r, int s) { return Real(&Slot(r, s).Output.UnitOffset); }},
    {kLastUsed, "OutputUnitSelected", K::Boolean, "FALSE", 0, R::None, G::Slot,
     [](const SettingsRecords& r, int s) { return Integer(&Slot(r, s).Output.UnitSelected); }},
    {kLastUsed, "OutputUnitScalerIndex", K::ShortIndex, nullptr, 0, R::ScalerIndexInTable,
     G::Slot,
     [](const SettingsRecords& r, int s) { return Index(&Slot(r, s).Output.UnitScalerIndex); }},

    {kPreferences, "ValueDisplayType", K::Word, "ENGINEERING", 0, R::None, G::Format,
     [](const SettingsRecords& r, int) { return Word(&r.format->ValueDisplayType); }},
    {kPreferences, "SignificantDigits", K::Integer, nullptr, 5, R::SignificantDigitsRange,
     G::Format,
     [](const SettingsRecords& r, int) { return Integer(&r.format->SignificantDigits); }},
    {kPreferences, "PlacesRightOfDecimal", K::Integer, nullptr, 5, R::PlacesRange, G::Format,
     [](const SettingsRecords& r, int) { return Integer(&r.format->PlacesRightOfDecimal); }},
    {kPreferences, "TruncateTrailingZeroes", K::Boolean, "FALSE", 0, R::None, G::Format,
     [](const SettingsRecords& r, int) { return Integer(&r.format->TruncateTrailingZeroes); }},
    {kPreferences, "MultiDimensional", K::Boolean, "FALSE", 0, R::None, G::Mode,
     [](const SettingsRecords& r, int) { return Integer(&r.state->MultiDimensional); }},
};

// The load reads the mode first and the numeric format last; the save starts with the window
// and ends with the mode. New keys land in write order, so a file that holds only [GENERAL]
// grows Window, LAST_USED and USER_PREFERENCES in this order.
constexpr SettingGroup kLoadOrderBeforeSlots[] = {G::Mode, G::LastValue};
constexpr SettingGroup kSaveOrder[] = {G::Window, G::LastValue, G::Slot, G::Format, G::Mode};

std::string KeyName(const SettingKey& entry, int slot) {
  return entry.group == G::Slot ? SlotKeyName(entry.key, slot) : std::string(entry.key);
}

std::int32_t ApplyLoadRule(LoadRule rule, std::int32_t value, const UnitTables* tables) {
  switch (rule) {
    case R::SignificantDigitsRange:
      return (value < kMinSignificantDigits || value > kMaxSignificantDigits) ? 1 : value;
    case R::PlacesRange:
      return (value < kMinPlaces || value > kMaxPlaces) ? 0 : value;
    case R::DimensionIndexCap:
      return value > kMaxStoredDimensionIndex ? kNoDimension : value;
    case R::ScalerIndexInTable:
      if (tables != nullptr && value >= tables->NumberOfScalers) return tables->NoMultiplierIndex;
      return value;
    case R::None:
    case R::MustBeTrue:
      break;
  }
  return value;
}

void LoadKey(const ProfileStore& store, const SettingKey& entry, int slot,
             const SettingsRecords& records, const UnitTables* tables) {
  if (entry.field == nullptr) return;
  const std::string key = KeyName(entry, slot);
  const SettingField field = entry.field(records, slot);
  auto defaultInt = static_cast<std::int32_t>(entry.defaultNumber);
  // A side without a multiplier key has no multiplier: its default is the "No_Multiplier"
  // entry, wherever the catalogue lists it, not the first prefix of the table.
  if (entry.rule == R::ScalerIndexInTable && tables != nullptr) {
    defaultInt = tables->NoMultiplierIndex;
  }
  switch (entry.kind) {
    case K::Boolean:
      *field.integer = ReadIniBool(store, entry.section, key.c_str(), entry.defaultText);
      break;
    case K::Integer:
      *field.integer =
          ApplyLoadRule(entry.rule, store.GetInt(entry.section, key.c_str(), defaultInt), tables);
      break;
    case K::ShortIndex: {
      // Only the low 16 bits are kept, and the rules look at what was kept.
      const auto kept =
          static_cast<std::uint16_t>(store.GetInt(entry.section, key.c_str(), defaultInt));
      *field.index = static_cast<std::uint16_t>(ApplyLoadRule(entry.rule, kept, tables));
      break;
    }
    case K::Real:
      *field.real = ReadIniDouble(store, entry.section, key.c_str(), entry.defaultNumber);
      break;
    case K::Word:
      *field.word =
          NotationFromWord(store.GetString(entry.section, key.c_str(), entry.defaultText));
      break;
  }
}

bool SaveKey(ProfileStore& store, const SettingKey& entry, int slot,
             const SettingsRecords& records) {
  if (entry.field == nullptr) return true;
  const std::string key = KeyName(entry, slot);
  const SettingField field = entry.field(records, slot);
  switch (entry.kind) {
    case K::Boolean:
      return WriteIniBool(store, entry.section, key.c_str(), *field.integer);
    case K::Integer:
      return WriteIniInt(store, entry.section, key.c_str(), *field.integer);
    case K::ShortIndex:
      return WriteIniInt(store, entry.section, key.c_str(), *field.index);
    case K::Real:
      return WriteIniDouble(store, entry.section, key.c_str(), *field.real);
    case K::Word:
      return store.WriteString(entry.section, key.c_str(), WordOfNotation(*field.word));
  }
  return true;
}

template <class Visit>
void ForEachKey(SettingGroup group, Visit visit) {
  for (const SettingKey& entry : kKeys) {
    if (entry.group == group) visit(entry);
  }
}

void LoadGroup(const ProfileStore& store, SettingGroup group, int slot,
               const SettingsRecords& records, const UnitTables* tables) {
  ForEachKey(group, [&](const SettingKey& e) { LoadKey(store, e, slot, records, tables); });
}

// Every key is written even after one failed, so that a file that takes only some keeps as
// much as it can; the result says whether all of them were written.
bool SaveGroup(ProfileStore& store, SettingGroup group, const SettingsRecords& records) {
  const int slots = group == G::Slot ? kSlotCount : 1;
  bool written = true;
  for (int slot = 0; slot < slots; ++slot) {
    if (group == G::Slot && Slot(records, slot).HeldAsSaved) continue;
    ForEachKey(group, [&](const SettingKey& e) { written &= SaveKey(store, e, slot, records); });
  }
  return written;
}

bool FilePresent(const ProfileStore& store) {
  bool present = true;
  ForEachKey(G::General, [&](const SettingKey& e) {
    if (e.rule == R::MustBeTrue && ReadIniBool(store, e.section, e.key, e.defaultText) != 1) {
      present = false;
    }
  });
  return present;
}

// A side that names a unit the slot's list does not hold cannot be shown or converted; it
// goes back to "nothing chosen" rather than pointing past the list. When the list could not be
// read at all, the side only shows nothing: the slot is held, and the file keeps its choice.
void RestoreSide(QuantityRecord& record, bool inputSide, const UnitTables& tables) {
  UnitSelection& side = Side(record, inputSide);
  if (record.HeldAsSaved) {
    side.UnitSelected = 0;
  } else if (side.UnitSelected != 0 && side.UnitIndex >= record.NumberOfUnits) {
    ResetSide(side, tables.NoMultiplierIndex);
    side.UnitIndex = 0;
  }
  side.UnitScalerMult = EffectiveScalerMult(record, inputSide, tables);
}

std::string ToChars(double value, bool fixedNine) {
  // Nine fixed decimals of the largest double take about 320 characters.
  char text[400];
  const std::to_chars_result result =
      fixedNine ? std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 9)
                : std::to_chars(text, text + sizeof text, value);
  if (result.ec != std::errc()) return std::string();
  return std::string(text, result.ptr);
}

bool ReadsBackAs(const std::string& text, double value) {
  return !text.empty() &&
         text.size() <= static_cast<std::size_t>(kProfileValueMaxLength) &&
         ParseInputValue(text.c_str()) == value;
}

}  // namespace


std::string SlotKeyName(const char* baseName, int slot) {
  char key[64];
  std::snprintf(key, sizeof key, "%s%d", baseName, slot);
  return key;
}

std::int32_t ReadIniBool(const ProfileStore& store, const char* section, const char* key,
                         const char* defaultText) {
  return store.GetString(section, key, defaultText) == "TRUE" ? 1 : 0;
}

bool WriteIniBool(ProfileStore& store, const char* section, const char* key, std::int32_t value) {
  return store.WriteString(section, key, value == 1 ? "TRUE" : "FALSE");
}

bool WriteIniInt(ProfileStore& store, const char* section, const char* key, std::int32_t value) {
  char text[16];
  const std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
  return store.WriteString(section, key, std::string(text, result.ptr).c_str());
}

double ReadIniDouble(const ProfileStore& store, const char* section, const char* key,
                     double defaultValue) {
  const std::string defaultText = ToChars(defaultValue, true);
  return ParseInputValue(store.GetString(section, key, defaultText.c_str()).c_str());
}

std::string FormatSettingsReal(double value) {
  const std::string fixed = ToChars(value, true);
  if (ReadsBackAs(fixed, value)) return fixed;
  const std::string shortest = ToChars(value, false);
  if (ReadsBackAs(shortest, value)) return shortest;
  if (std::isinf(value)) {
    // Too large for any double: the read gives the infinity back.
    const std::string overflow = value > 0 ? "1e999" : "-1e999";
    if (ReadsBackAs(overflow, value)) return overflow;
  }
  // Nothing reads back as this value (not a number): keep the shortest form.
  return shortest;
}

bool WriteIniDouble(ProfileStore& store, const char* section, const char* key, double value) {
  return store.WriteString(section, key, FormatSettingsReal(value).c_str());
}

Notation NotationFromWord(const std::string& word) {
  if (word == "SCIENTIFIC") return SCIENTIFIC;
  if (word == "FIXED_DECIMAL") return FIXED_DECIMAL;
  return ENGINEERING;
}

const char* WordOfNotation(Notation type) {
  switch (type) {
    case SCIENTIFIC:
      return "SCIENTIFIC";
    case FIXED_DECIMAL:
      return "FIXED_DECIMAL";
    case ENGINEERING:
      break;
  }
  return "ENGINEERING";
}

int CheckSettingsFile(const ProfileStore& store, Reporter& reporter,
                      const char* settingsFileName) {
  if (FilePresent(store)) return 1;
  char text[512];
  std::snprintf(text, sizeof text, QA_STR_SETTINGS_MISSING, settingsFileName);
  BeepAndShow(reporter, kBeepHand, text, QA_STR_ERROR_TITLE, kStyleStop);
  return 0;
}

int CheckUnitsDataFile(Reporter& reporter, const char* dataFilePath) {
  if (std::FILE* file = std::fopen(dataFilePath, "r")) {
    std::fclose(file);
    return 1;
  }
  ReportDataFileUnreadable(reporter, DataFileName(dataFilePath));
  return 0;
}

LoadOutcome LoadSettings(const ProfileStore& store, Reporter& reporter, ConversionState& state,
                         UnitTables& tables, NumericFormat& format, const char* dataFilePath) {
  if (!CheckSettingsFile(store, reporter)) return LoadOutcome::SettingsFileMissing;
  if (!CheckUnitsDataFile(reporter, dataFilePath)) return LoadOutcome::UnitsDataFileUnreadable;
  LoadDimensionLabels(reporter, tables, dataFilePath);
  tables.NumberOfScalers = LoadScalers(reporter, tables, dataFilePath);
  if (tables.NumberOfScalers < 1) return LoadOutcome::NoMultipliers;

  SettingsRecords records;
  records.state = &state;
  records.format = &format;
  for (SettingGroup group : kLoadOrderBeforeSlots) LoadGroup(store, group, 0, records, &tables);

  for (int slot = 0; slot < kSlotCount; ++slot) {
    LoadGroup(store, G::Slot, slot, records, &tables);
    QuantityRecord& record = state.QuantityRecords[slot];
    record.HeldAsSaved = record.DimensionIndex != kNoDimension &&
                         !LoadUnitNames(reporter, tables, record, dataFilePath);
    RestoreSide(record, true, tables);
    RestoreSide(record, false, tables);
  }
  for (int slot = 0; slot < kSlotCount; ++slot) {
    state.QuantityRecords[slot].Input.LabelId = IDC_INPUT_LABEL_FIRST + slot;
    state.QuantityRecords[slot].Output.LabelId = IDC_OUTPUT_LABEL_FIRST + slot;
  }
  LoadGroup(store, G::Format, 0, records, &tables);
  return LoadOutcome::Loaded;
}

bool SaveSettings(ProfileStore& store, Reporter& reporter, const ConversionState& state,
                  const NumericFormat& format, const WindowRect& windowRect,
                  const char* settingsFileName) {
  if (!FilePresent(store)) return false;
  // The save walk only reads through these.
  SettingsRecords records;
  records.state = const_cast<ConversionState*>(&state);
  records.format = const_cast<NumericFormat*>(&format);
  records.window = const_cast<WindowRect*>(&windowRect);
  bool written = true;
  for (SettingGroup group : kSaveOrder) written &= SaveGroup(store, group, records);
  if (!written) {
    char text[1024];
    std::snprintf(text, sizeof text, QA_STR_SETTINGS_NOT_SAVED, settingsFileName);
    BeepAndShow(reporter, kBeepHand, text, QA_STR_ERROR_TITLE, kStyleStop);
  }
  return written;
}

WindowRect LoadWindowRect(const ProfileStore& store) {
  WindowRect rect;
  SettingsRecords records;
  records.window = &rect;
  LoadGroup(store, G::Window, 0, records, nullptr);
  return rect;
}

void SaveWindowRect(ProfileStore& store, const WindowRect& rect) {
  SettingsRecords records;
  records.window = const_cast<WindowRect*>(&rect);
  SaveGroup(store, G::Window, records);
}

WindowRect TransferWindowRect(WindowRectDirection direction, ProfileStore& store,
                              const WindowRect& current) {
  if (direction == kSaveWindowRect) {
    SaveWindowRect(store, current);
    return current;
  }
  return LoadWindowRect(store);
}

}  // namespace quantora
