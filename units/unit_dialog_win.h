// The modal "INPUTUNIT_DLG" dialog: quantity, multiplier and unit of one side of one slot.
#pragma once

#include <windows.h>

#include <functional>

#include "resources/reporter.h"
#include "units/quantity.h"
#include "units/unit_search.h"

namespace quantora {

// What the dialog works on, passed as DialogBoxParamA's parameter. Every pick goes straight
// into the record.
struct UnitDialogContext {
  QuantityRecord* record = nullptr;  // the slot's record
  int slot = 0;                      // 0..5, for the caption
  bool inputSide = true;
  bool multiUnit = false;
  const UnitTables* tables = nullptr;
  const char* dataPath = nullptr;  // the units catalogue
  // Where messages go; nullptr: message boxes owned by the dialog.
  Reporter* reporter = nullptr;
  // Shows a label of the slot (by the record's label id): both go blank when the quantity
  // changes, and the edited side gets its label as the dialog ends.
  std::function<void(int labelId, const char* text)> showLabel;
  // Called as the dialog ends, after the edited side's label is shown: the result changed.
  std::function<void()> resultChanged;
  // The find field's matches, this opening's own.
  UnitFinder finder;
};

INT_PTR CALLBACK UnitSelectionDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quantora
