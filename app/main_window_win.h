// The main window: its class, creation, message handling and the operations its dialogs'
// callbacks and the key filters call back into.
#pragma once

#include <windows.h>

#include <string>

#include "app/main_window_state_win.h"
#include "units/quantity.h"

namespace quantora {

constexpr const char* kMainWindowClass = "QA_CONV";

bool RegisterMainWindowClass(HINSTANCE instance);
// Creates the main window over state, which must outlive it.
HWND CreateMainWindow(HINSTANCE instance, MainWindowState& state);
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
void NavigateByKey(HWND mainWindow, int virtualKey, bool multiDimensional);
void RestoreFocus(HWND mainWindow, bool multiDimensional);
void SetKeyboardNavigation(HWND mainWindow, bool on);

// Makes the font for dpi and measures it; the next layout uses both.
void ApplyDpi(HWND mainWindow, int dpi);

// The owner-drawn buttons, at the DPI of the layout.
void DrawSwapButton(const DRAWITEMSTRUCT& item, bool multiDimensional, int dpi = kDesignDpi);
void DrawUnitButton(const DRAWITEMSTRUCT& item, int dpi = kDesignDpi);

// Text of a control, at most 49 characters.
std::string ControlText(HWND window, int id);

// Control id and help context pairs of the main window.
extern const DWORD HelpContextTable[];

}  // namespace quantora
