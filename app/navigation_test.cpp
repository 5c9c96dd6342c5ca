#include "app/navigation.h"

#include <gtest/gtest.h>

namespace quantora {
namespace {

// Where Left, Right, Up and Down go from each position of the order Tab follows: in simple
// mode value edit, input unit button, result edit, output unit button; in multi-unit mode the
// value edit, the input unit buttons 602 to 607, the result edit and the output buttons.
constexpr int kArrows[] = {kKeyLeft, kKeyRight, kKeyUp, kKeyDown};
constexpr int kSimpleMoves[kSimpleFocusCount][4] = {
    {3, 1, 0, 0}, {0, 2, 1, 1}, {1, 3, 2, 2}, {2, 0, 3, 3}};
constexpr int kMultiMoves[kMultiFocusCount][4] = {
    {3, 1, 7, 7},  {0, 2, 11, 4},  {1, 3, 12, 5},  {2, 0, 13, 6},  {6, 5, 1, 8},
    {4, 6, 2, 9},  {5, 4, 3, 10},  {10, 8, 0, 0},  {7, 9, 4, 11},  {8, 10, 5, 12},
    {9, 7, 6, 13}, {13, 12, 8, 1}, {11, 13, 9, 2}, {12, 11, 10, 3}};

// Every navigation key from every position; Home goes to the value edit, End to the last
// unit button; any other key is left to the control and changes nothing.
TEST(Navigation, EveryKeyFromEveryPosition) {
  for (bool multi : {false, true}) {
    const int count = multi ? kMultiFocusCount : kSimpleFocusCount;
    for (int from = 0; from < count; ++from) {
      SCOPED_TRACE(::testing::Message() << (multi ? "multi-unit" : "simple") << " from " << from);
      const NavigationState at{1, from};
      EXPECT_EQ(NavigateByKey(multi, kKeyTab, at).state.FocusIndex, (from + 1) % count);
      EXPECT_EQ(NavigateByKey(multi, kKeyHome, at).state.FocusIndex, 0);
      EXPECT_EQ(NavigateByKey(multi, kKeyEnd, at).state.FocusIndex, count - 1);
      for (int k = 0; k < 4; ++k) {
        const NavigationStep step = NavigateByKey(multi, kArrows[k], at);
        EXPECT_TRUE(step.restoreFocus);
        EXPECT_EQ(step.state.FocusIndex, multi ? kMultiMoves[from][k] : kSimpleMoves[from][k]);
      }
      for (int other : {13, 46, 33, 41}) {  // Enter, Delete, Page Up, one past Down
        const NavigationStep step = NavigateByKey(multi, other, NavigationState{0, from});
        EXPECT_FALSE(step.restoreFocus);
        EXPECT_EQ(step.state.KeyboardNavigation, 0);
        EXPECT_EQ(step.state.FocusIndex, from);
      }
    }
  }
}

// The first key after navigation was off moves from the value edit, whatever position was
// kept; so does a key from a position outside the mode's order (simple mode after multi-unit
// mode, which does not reset the position, or a damaged one).
TEST(Navigation, AStaleOrOutsidePositionCountsAsTheValueEdit) {
  const struct {
    bool multi;
    NavigationState before;
  } rows[] = {{false, {0, 2}}, {true, {0, 9}}, {false, {1, 4}}, {false, {1, -1}}, {true, {1, 14}}};
  for (const auto& r : rows) {
    const NavigationStep step = NavigateByKey(r.multi, kKeyRight, r.before);
    EXPECT_EQ(step.state.KeyboardNavigation, 1) << r.before.FocusIndex;
    EXPECT_EQ(step.state.FocusIndex, 1) << r.before.FocusIndex;
  }
  EXPECT_EQ(FocusControlId(false, 9), 500);
  NavigationState s{1, 5};
  SetKeyboardNavigation(s, false);  // Enter in the value edit
  EXPECT_EQ(s.KeyboardNavigation, 0);
}

}  // namespace
}  // namespace quantora
