// The modal "TYPECONVERSION_DLG" dialog: one line typed, "60 mph to km/h", shown as it is read
// and applied to the main window with OK or Enter; Cancel and Escape change nothing.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "conversion/typed_conversion.h"
#include "numbers/number_format.h"
#include "resources/reporter.h"
#include "units/quantity.h"

namespace quantora {

// What the dialog works on, passed as DialogBoxParamA's parameter.
struct TypedDialogContext {
  const UnitTables* tables = nullptr;
  const char* dataPath = nullptr;        // the units catalogue
  const NumericFormat* format = nullptr;  // the result on the line is shown in it
  std::string text;                       // the text the field opens with
  // Where the beep of a line that cannot be applied goes; nullptr: the platform's.
  Reporter* reporter = nullptr;
  // Puts a reading into the main window; false when it could not be applied.
  std::function<bool(const TypedConversionReader&, const TypedConversion&)> apply;
  // Read from the catalogue at the first text, once per dialog (or handed in by the caller).
  std::unique_ptr<TypedConversionReader> reader;
};

// Returns IDOK from EndDialog when a conversion was applied, IDCANCEL otherwise.
INT_PTR CALLBACK TypedConversionDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quantora
