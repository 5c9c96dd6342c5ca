// The main window: its class, creation, message handling and the operations the dialogs and
// the key filters call back into.
#pragma once

#include <windows.h>

#include <string>

#include "units/quantity.h"

namespace quantora {

constexpr const char* kMainWindowClass = "QA_CONV";
constexpr const char* kHelpFile = "QUANTORA.HLP";

bool RegisterMainWindowClass(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance);
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the message loop with the accelerator table until WM_QUIT; returns its exit code.
int RunMessageLoop(HWND mainWindow);

// Converts the current value and shows the result and the echo of the input (controls 501
// and 500); then restores the keyboard focus or selects the value edit's text.
void RecomputeResult(HWND mainWindow);

// Tears down the controls and builds the layout of the current mode; ends with
// RecomputeResult.
void BuildLayout(HWND mainWindow);

// Sets the label controls of every slot from the records (empty for unchosen sides).
void WriteUnitLabels(HWND mainWindow);

// Composes one side's label and puts it into its label control.
void ShowUnitLabel(HWND mainWindow, const QuantityRecord& record, bool inputSide);

// Exchanges the sides of one slot and relabels both of its labels.
void SwapSides(int slot, HWND mainWindow);

// Opens the unit selection dialog for a slot and side; afterwards the focus goes back where
// keyboard navigation had it.
void OpenUnitDialog(HWND mainWindow, int slot, bool inputSide);

void UpdateEditMenu(HWND mainWindow, HMENU editPopup, bool multiDimensional);

// Keyboard focus navigation over the main window's controls.
void SubclassControls(HWND mainWindow, bool multiDimensional);
void NavigateByKey(HWND window, int virtualKey, bool multiDimensional);
void RestoreFocus(bool multiDimensional);
void SetKeyboardNavigation(bool on);

// Painting and the owner-drawn buttons.
void PaintMainWindow(HWND mainWindow, bool multiDimensional);
void DrawSwapButton(const DRAWITEMSTRUCT& item, HWND mainWindow, bool multiDimensional);
void DrawUnitButton(const DRAWITEMSTRUCT& item, HWND mainWindow);

// Text of a control, at most 49 characters.
std::string ControlText(HWND window, int id);

// Context help: the four calls into the help viewer. A test can watch them instead.
struct HelpCall {
  HWND window;
  std::string file;
  UINT command;
  ULONG_PTR data;
};
using HelpHook = void (*)(const HelpCall&);
void SetHelpHook(HelpHook hook);
void CallHelp(HWND window, UINT command, ULONG_PTR data);
// WM_HELP and WM_CONTEXTMENU of a window whose controls are listed in table.
BOOL HandleHelpMessage(UINT message, WPARAM wParam, LPARAM lParam, const DWORD* table);

extern const DWORD HelpContextTable[];

}  // namespace quantora
