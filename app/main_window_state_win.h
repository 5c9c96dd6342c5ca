// What the main window owns: the records the core works on, the shell's own values, and where
// the files are. WinMain (or a test) makes one and hands it to CreateMainWindow; the window
// reaches it through GWLP_USERDATA and passes the dialogs what they need of it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/layout.h"
#include "app/navigation.h"
#include "conversion/conversion.h"
#include "numbers/number_format.h"
#include "resources/convert.h"
#include "resources/reporter.h"
#include "settings/profile_store_win.h"
#include "units/quantity.h"

namespace quantora {

struct MainWindowState {
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;

  // Measures of the main window's font: the unit of all geometry.
  int CharWidth = 0;
  int CharHeight = 0;
  // The DPI the window is laid out for, and the font made for it: at 96 DPI none, as the stock
  // variable-width font is the font; at any other its face at the size that DPI needs.
  int Dpi = kDesignDpi;
  HFONT scaledFont = nullptr;
  HFONT retiredFont = nullptr;  // the previous one, until the controls using it are gone
  // Set while a layout moves the window, which may bring it onto a monitor of another DPI.
  bool layingOut = false;

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

  // The text the program itself last put into the value edit: leaving the edit commits only
  // a text the user changed.
  std::string lastValueText;

  // A conversion typed on the command line, taken once the window is laid out.
  std::string startText;

  // A failed start-up check ends the program without writing the settings file.
  bool startupFailed = false;
  // Set once the close has begun.
  bool closing = false;

  // Files: the bare names in the product (settings in the Windows directory, the catalogue in
  // the working directory); tests point them elsewhere.
  std::string settingsPath = "QUANTORA.INI";
  std::string dataPath = "QUANTORA.TXT";
  // The constants file; empty: the name of string 41016 in the working directory.
  std::string constantsPath;

  // Where messages go: the platform's message boxes unless a test captures them.
  Reporter* reporterOverride = nullptr;
  std::unique_ptr<WinProfileStore> store;

  bool MultiUnitMode() const { return conversion.MultiDimensional != 0; }

  // The font of the edits, the labels, the frames' captions and the window's own captions.
  HFONT Font() const {
    return scaledFont ? scaledFont : static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
  }

  // Draws the window's own look (etched lines, sunken frames, captions) into dc, in client
  // coordinates: for WM_PAINT and WM_PRINTCLIENT alike.
  void PaintContent(HDC dc) const;
};

// The state of a main window; nullptr before WM_NCCREATE has stored it.
MainWindowState* StateOf(HWND mainWindow);

}  // namespace quantora
