// Keyboard focus movement among the main window's controls. The main window is no dialog, so
// Tab and the arrow keys move the focus only through this: a position in a fixed order of the
// mode, moved in a ring by Tab and in a grid of rows and columns by the arrows. Only the
// shell's RestoreFocus touches windows; everything here is plain state.
#pragma once

#include "resources/convert.h"

namespace quantora {

// Virtual-key codes of the navigation keys.
constexpr int kKeyTab = 9;
constexpr int kKeyEnd = 35;
constexpr int kKeyHome = 36;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;

constexpr int kSimpleFocusCount = 4;
constexpr int kMultiFocusCount = 14;

// Value edit, input unit button, result edit, output unit button.
constexpr int SimpleFocusOrder[kSimpleFocusCount] = {
    IDC_VALUE_EDIT, IDC_INPUT_UNIT_BUTTON_FIRST, IDC_RESULT_EDIT, IDC_OUTPUT_UNIT_BUTTON_FIRST};

// The grid of the multi-unit layout, row by row:
//   input numerators     0 (500)  1 (602)  2 (603)  3 (604)
//   input denominators            4 (605)  5 (606)  6 (607)
//   output numerators    7 (501)  8 (608)  9 (609) 10 (610)
//   output denominators          11 (611) 12 (612) 13 (613)
constexpr int MultiFocusOrder[kMultiFocusCount] = {
    IDC_VALUE_EDIT,  IDC_INPUT_UNIT_BUTTON_FIRST,      IDC_INPUT_UNIT_BUTTON_FIRST + 1,
    IDC_INPUT_UNIT_BUTTON_FIRST + 2,  IDC_INPUT_UNIT_BUTTON_FIRST + 3,
    IDC_INPUT_UNIT_BUTTON_FIRST + 4,  IDC_INPUT_UNIT_BUTTON_FIRST + 5,
    IDC_RESULT_EDIT, IDC_OUTPUT_UNIT_BUTTON_FIRST,     IDC_OUTPUT_UNIT_BUTTON_FIRST + 1,
    IDC_OUTPUT_UNIT_BUTTON_FIRST + 2, IDC_OUTPUT_UNIT_BUTTON_FIRST + 3,
    IDC_OUTPUT_UNIT_BUTTON_FIRST + 4, IDC_OUTPUT_UNIT_BUTTON_FIRST + 5};

struct NavigationState {
  int KeyboardNavigation = 0;  // 1 while the focus follows FocusIndex
  int FocusIndex = 0;          // position in the focus order of the current mode
};

int FocusOrderLength(bool multiDimensional);

// The position as the mode can use it. The position is not adjusted when the mode changes, so
// after a switch to simple mode it may still hold 4..13: such a position (or any other outside
// the order) counts as 0, the value edit.
int ValidFocusIndex(bool multiDimensional, int focusIndex);

// The control RestoreFocus focuses for a position (see ValidFocusIndex).
int FocusControlId(bool multiDimensional, int focusIndex);

// The next position in the ring: after the last comes 0.
int StepFocusIndex(bool multiDimensional, int focusIndex);

// On: navigation starts over at the value edit. Off: the position is kept for the next time.
void SetKeyboardNavigation(NavigationState& state, bool on);

bool IsNavigationKey(int virtualKey);

// The position a navigation key moves to from a valid position; Shift and Ctrl are not looked
// at, so Shift+Tab moves like Tab.
int MoveFocusIndex(bool multiDimensional, int virtualKey, int focusIndex);

struct NavigationStep {
  NavigationState state;
  bool restoreFocus = false;  // false: not a navigation key, which is lost
};

// One key-down offered to the navigation: the first navigation key switches navigation on
// (from position 0, whatever had the focus) and then moves. Any other key changes nothing.
NavigationStep NavigateByKey(bool multiDimensional, int virtualKey, NavigationState state);

}  // namespace quantora
