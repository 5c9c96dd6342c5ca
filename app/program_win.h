// The process-wide state of the running program, kept together in one place: the records the
// core works on, the shell's own values, and where the files are.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/layout.h"
#include "app/navigation.h"
#include "resources/convert.h"
#include "conversion/conversion.h"
#include "numbers/number_format.h"
#include "settings/profile_store.h"
#include "units/quantity.h"
#include "units/reporter.h"

namespace quantora {

// Messages of the program: MessageBeep, then MessageBoxA owned by the window at hand.
class WinReporter : public Reporter {
 public:
  explicit WinReporter(HWND owner) : owner_(owner) {}
  void Beep(unsigned type) override;
  void ShowMessage(const std::string& text, const std::string& title, unsigned style) override;

 private:
  HWND owner_;
};

struct Program {
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;

  // Measures of the stock variable-width font: the unit of all geometry.
  int CharWidth = 0;
  int CharHeight = 0;

  // Which slot and side the unit selection dialog edits.
  int UnitDialogSlot = 0;
  int UnitDialogInputSide = 1;

  ConversionState conversion;
  UnitTables tables;
  NumericFormat format;
  NavigationState navigation;

  // The layout as last built, and the controls the next layout destroys.
  LayoutPlan layout;
  bool savedRectUsed = false;
  HWND valueEdit = nullptr;
  HWND resultEdit = nullptr;
  HWND swapButton = nullptr;

  // The window procedures the key filters replaced, by control id.
  WNDPROC previousProc[2 + 2 * kSlotCount] = {};  // 500, 501, 602..613

  // The text the program itself last put into the value edit: leaving the edit commits only
  // a text the user changed.
  std::string lastValueText;

  // A failed start-up check ends the program without writing the settings file.
  bool startupFailed = false;

  // Files: the bare names in the product (settings in the Windows directory, the catalogue in
  // the working directory); tests point them elsewhere.
  std::string settingsPath = "QUANTORA.INI";
  std::string dataPath = "QUANTORA.TXT";
  // The constants file; empty: the name of string 41016 in the working directory.
  std::string constantsPath;

  // Where messages go: the platform's message boxes unless a test captures them.
  Reporter* reporterOverride = nullptr;
  std::unique_ptr<ProfileStore> store;
};

Program& TheProgram();

// Whether the program is in multi-unit conversion mode.
inline bool MultiUnitMode() { return TheProgram().conversion.MultiDimensional != 0; }

// The reporter for messages owned by the given window.
class ReporterFor {
 public:
  explicit ReporterFor(HWND owner) : platform_(owner) {}
  Reporter& get() {
    return TheProgram().reporterOverride ? *TheProgram().reporterOverride
                                         : static_cast<Reporter&>(platform_);
  }

 private:
  WinReporter platform_;
};

}  // namespace quantora
