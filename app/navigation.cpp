#include "app/navigation.h"

namespace quantora {

namespace {

// Rows of the multi-unit grid as runs of positions; Left and Right wrap inside a row.
struct Run {
  int first;
  int count;
};
constexpr Run kMultiRows[] = {{0, 4}, {4, 3}, {7, 4}, {11, 3}};

// Columns of the multi-unit grid, top to bottom; Up and Down wrap inside a column. The value
// edits form a column of their own; each unit column runs numerator over denominator on the
// input side, then on the output side.
constexpr int kColumnLength = 4;
constexpr int kMultiColumns[][kColumnLength] = {
    {1, 4, 8, 11},
    {2, 5, 9, 12},
    {3, 6, 10, 13},
};
constexpr int kEditColumn[] = {0, 7};

int Wrap(int value, int count) { return ((value % count) + count) % count; }

int MoveInRow(int position, int delta) {
  for (const Run& row : kMultiRows) {
    if (position >= row.first && position < row.first + row.count) {
      return row.first + Wrap(position - row.first + delta, row.count);
    }
  }
  return position;
}

int MoveInColumn(int position, int delta) {
  if (position == kEditColumn[0] || position == kEditColumn[1]) {
    return position == kEditColumn[0] ? kEditColumn[1] : kEditColumn[0];
  }
  for (const auto& column : kMultiColumns) {
    for (int i = 0; i < kColumnLength; ++i) {
      if (column[i] == position) return column[Wrap(i + delta, kColumnLength)];
    }
  }
  return position;
}

}  // namespace

int FocusOrderLength(bool multiDimensional) {
  return multiDimensional ? kMultiFocusCount : kSimpleFocusCount;
}

int ValidFocusIndex(bool multiDimensional, int focusIndex) {
  return focusIndex >= 0 && focusIndex < FocusOrderLength(multiDimensional) ? focusIndex : 0;
}

int FocusControlId(bool multiDimensional, int focusIndex) {
  const int index = ValidFocusIndex(multiDimensional, focusIndex);
  return multiDimensional ? MultiFocusOrder[index] : SimpleFocusOrder[index];
}

int StepFocusIndex(bool multiDimensional, int focusIndex) {
  const int next = ValidFocusIndex(multiDimensional, focusIndex) + 1;
  return next < FocusOrderLength(multiDimensional) ? next : 0;
}

void SetKeyboardNavigation(NavigationState& state, bool on) {
  if (on) {
    state.KeyboardNavigation = 1;
    state.FocusIndex = 0;
  } else {
    state.KeyboardNavigation = 0;
  }
}

bool IsNavigationKey(int virtualKey) {
  switch (virtualKey) {
    case kKeyTab:
    case kKeyEnd:
    case kKeyHome:
    case kKeyLeft:
    case kKeyUp:
    case kKeyRight:
    case kKeyDown:
      return true;
    default:
      return false;
  }
}

int MoveFocusIndex(bool multiDimensional, int virtualKey, int focusIndex) {
  const int position = ValidFocusIndex(multiDimensional, focusIndex);
  const int last = FocusOrderLength(multiDimensional) - 1;
  switch (virtualKey) {
    case kKeyTab:
      return StepFocusIndex(multiDimensional, position);
    case kKeyHome:
      return 0;
    case kKeyEnd:
      return last;
    case kKeyRight:
      return multiDimensional ? MoveInRow(position, +1)
                              : StepFocusIndex(multiDimensional, position);
    case kKeyLeft:
      return multiDimensional ? MoveInRow(position, -1) : (position == 0 ? last : position - 1);
    case kKeyDown:
      // Simple mode has one row and no columns: the focus is set again where it is.
      return multiDimensional ? MoveInColumn(position, +1) : position;
    case kKeyUp:
      return multiDimensional ? MoveInColumn(position, -1) : position;
    default:
      return position;
  }
}

NavigationStep NavigateByKey(bool multiDimensional, int virtualKey, NavigationState state) {
  NavigationStep step;
  step.state = state;
  if (!IsNavigationKey(virtualKey)) return step;
  if (!step.state.KeyboardNavigation) SetKeyboardNavigation(step.state, true);
  step.state.FocusIndex = MoveFocusIndex(multiDimensional, virtualKey, step.state.FocusIndex);
  step.restoreFocus = true;
  return step;
}

}  // namespace quantora
