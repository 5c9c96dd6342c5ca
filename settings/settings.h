// The settings file "QUANTORA.INI": its keys and value encodings, the start-up checks, the
// load at start and the save at close.
//
// Every key the program reads or writes is declared once, in one table: section, key,
// kind, default, load rule and the field it belongs to. LoadSettings and SaveSettings walk that
// table; nothing else spells a key name. The eleven per-slot keys are declared by their base
// name and exist once per slot, named with "%s%d" ("DimensionIndex0" .. "OutputUnitScalerIndex5").
//
// A failed start must not touch the file. LoadSettings returns which start-up check failed and
// stops right there: no later load step runs (so a missing units data file is reported once,
// not once per reader), and the records it has not reached keep what they held. The main
// window then closes WITHOUT calling SaveSettings, so the saved state is never overwritten by a
// state that was never loaded, and the file stays byte for byte as it was.
//
// Indexes read from the file are never used to read past a table:
// - a multiplier index at or beyond NumberOfScalers becomes NoMultiplierIndex;
// - a selected side whose unit index lies at or beyond its slot's NumberOfUnits is put back to
//   "nothing chosen" (ResetSide, unit index 0);
// - a slot that holds a quantity whose unit names could not be read is held (HeldAsSaved):
//   its sides show nothing chosen, and the save leaves its eleven keys in the file as they
//   were, so that a section missing from the catalogue for a while does not erase the choice;
// - a DimensionIndex from 50 to 100, or at or beyond NumberOfDimensions, is kept as the file
//   says: the readers and DimensionLabelOf refuse to look it up, and LoadUnitNames reports its
//   section as not found.
//
// Reals are written as nine fixed decimals when that text fits in the 29 characters a value
// can be read back with and reads back as the very same number; any other value (a factor such
// as 1.602176634e-19, or one with many integer digits) is written as the shortest text that
// reads back exactly. Both forms load through the same leading-number read, so files written
// with nine decimals only load as they always did.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "conversion/conversion.h"
#include "numbers/number_format.h"
#include "resources/reporter.h"
#include "settings/profile_store.h"
#include "units/catalog_file.h"
#include "units/quantity.h"

namespace quantora {

// Where the main window opens when the settings file names no place (or one off every screen).
constexpr std::int32_t kDefaultWindowLeft = 10;
constexpr std::int32_t kDefaultWindowTop = 10;

// The main window's rectangle in screen coordinates.
struct WindowRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

// "%s%d": the key of a slot.
std::string SlotKeyName(const char* baseName, int slot);

// Value encodings.
std::int32_t ReadIniBool(const ProfileStore& store, const char* section, const char* key,
                         const char* defaultText);
// Each write returns false when the store could not take it.
bool WriteIniBool(ProfileStore& store, const char* section, const char* key, std::int32_t value);
bool WriteIniInt(ProfileStore& store, const char* section, const char* key, std::int32_t value);
// The default goes in as its nine-decimal text; the value text is read with the leading-number
// parse of typed values ('.' always the decimal point, no number gives 0.0).
double ReadIniDouble(const ProfileStore& store, const char* section, const char* key,
                     double defaultValue);
bool WriteIniDouble(ProfileStore& store, const char* section, const char* key, double value);
// The text WriteIniDouble writes.
std::string FormatSettingsReal(double value);

Notation NotationFromWord(const std::string& word);
const char* WordOfNotation(Notation type);

// The start-up checks. Each returns 1 when it passes; otherwise it beeps, shows its message
// under "Quantora Error" with the stop icon, and returns 0.
// FilePresent must read exactly "TRUE"; the message names settingsFileName.
int CheckSettingsFile(const ProfileStore& store, Reporter& reporter,
                      const char* settingsFileName = kSettingsFileName);
// The units data file must open for reading; the message names its last path component.
int CheckUnitsDataFile(Reporter& reporter, const char* dataFilePath = kUnitsDataFileName);

enum class LoadOutcome {
  Loaded,
  SettingsFileMissing,      // CheckSettingsFile failed; nothing else was read
  UnitsDataFileUnreadable,  // CheckUnitsDataFile failed; nothing else was read
  NoMultipliers             // LoadScalers found none (it showed its own message)
};

// The start-up load, in this order: the two checks, LoadDimensionLabels, LoadScalers (stored
// in NumberOfScalers), MultiDimensional, InputValue, InputValuePresent; for each slot its
// eleven keys, then its unit names when it holds a quantity, then each side's multiplier
// factor by EffectiveScalerMult; the label control ids (502 + slot, 508 + slot); finally the
// numeric format with its load rules. The focus-order tables and the window rectangle are the
// main window's to set up. On any outcome but Loaded the caller closes without saving.
LoadOutcome LoadSettings(const ProfileStore& store, Reporter& reporter, ConversionState& state,
                         UnitTables& tables, NumericFormat& format,
                         const char* dataFilePath = kUnitsDataFileName);

// The save at close. Writes nothing at all and returns false unless FilePresent reads TRUE;
// otherwise writes the window rectangle (normleft, normright, normtop, normbottom), InputValue,
// InputValuePresent, every slot's keys in the order of the load (but none of a held slot's),
// the numeric format and MultiDimensional. When any write fails, it says so once, naming
// settingsFileName and the remedy, under "Quantora Error" with the stop icon, and returns false;
// otherwise it returns true.
bool SaveSettings(ProfileStore& store, Reporter& reporter, const ConversionState& state,
                  const NumericFormat& format, const WindowRect& windowRect,
                  const char* settingsFileName = kSettingsFileName);

// The window rectangle: the load reads the four keys with the defaults 10, 200, 10, 200; the
// save writes `current`. Either way the rectangle read or written is returned. The shell
// supplies `current` from GetWindowRect.
enum WindowRectDirection : int { kSaveWindowRect = 70, kLoadWindowRect = 71 };
WindowRect TransferWindowRect(WindowRectDirection direction, ProfileStore& store,
                              const WindowRect& current = WindowRect{});
WindowRect LoadWindowRect(const ProfileStore& store);
void SaveWindowRect(ProfileStore& store, const WindowRect& rect);

}  // namespace quantora
