#include "app/navigation.h"

#include <gtest/gtest.h>

namespace quantora {
namespace {

// Keys in the column order of the tables below.
constexpr int kKeys[] = {kKeyTab, kKeyLeft, kKeyRight, kKeyUp, kKeyDown, kKeyHome, kKeyEnd};
constexpr const char* kKeyNames[] = {"Tab", "Left", "Right", "Up", "Down", "Home", "End"};
constexpr int kKeyCount = 7;

// New position for each key, from each position.
constexpr int kSimpleMoves[kSimpleFocusCount][kKeyCount] = {
    //        Tab Left Right Up Down Home End
    /* 0 */ {1, 3, 1, 0, 0, 0, 3},
    /* 1 */ {2, 0, 2, 1, 1, 0, 3},
    /* 2 */ {3, 1, 3, 2, 2, 0, 3},
    /* 3 */ {0, 2, 0, 3, 3, 0, 3},
};

constexpr int kMultiMoves[kMultiFocusCount][kKeyCount] = {
    //         Tab Left Right Up Down Home End
    /*  0 */ {1, 3, 1, 7, 7, 0, 13},
    /*  1 */ {2, 0, 2, 11, 4, 0, 13},
    /*  2 */ {3, 1, 3, 12, 5, 0, 13},
    /*  3 */ {4, 2, 0, 13, 6, 0, 13},
    /*  4 */ {5, 6, 5, 1, 8, 0, 13},
    /*  5 */ {6, 4, 6, 2, 9, 0, 13},
    /*  6 */ {7, 5, 4, 3, 10, 0, 13},
    /*  7 */ {8, 10, 8, 0, 0, 0, 13},
    /*  8 */ {9, 7, 9, 4, 11, 0, 13},
    /*  9 */ {10, 8, 10, 5, 12, 0, 13},
    /* 10 */ {11, 9, 7, 6, 13, 0, 13},
    /* 11 */ {12, 13, 12, 8, 1, 0, 13},
    /* 12 */ {13, 11, 13, 9, 2, 0, 13},
    /* 13 */ {0, 12, 11, 10, 3, 0, 13},
};

constexpr int kSimpleIds[kSimpleFocusCount] = {500, 602, 501, 608};
constexpr int kMultiIds[kMultiFocusCount] = {500, 602, 603, 604, 605, 606, 607,
                                             501, 608, 609, 610, 611, 612, 613};

const char* ModeName(bool multi) { return multi ? "multi-unit" : "simple"; }

void CheckEveryMove(bool multi, const int* moves, int positions) {
  for (int from = 0; from < positions; ++from) {
    for (int k = 0; k < kKeyCount; ++k) {
      const int expected = moves[from * kKeyCount + k];
      const NavigationStep step = NavigateByKey(multi, kKeys[k], NavigationState{1, from});
      SCOPED_TRACE(testing::Message() << ModeName(multi) << " mode, " << kKeyNames[k]
                                      << " from position " << from);
      EXPECT_TRUE(step.restoreFocus);
      EXPECT_EQ(step.state.KeyboardNavigation, 1);
      EXPECT_EQ(step.state.FocusIndex, expected);
    }
  }
}

TEST(Navigation, SimpleModeMovesByTheTable) {
  CheckEveryMove(false, &kSimpleMoves[0][0], kSimpleFocusCount);
}

TEST(Navigation, MultiUnitModeMovesByTheTable) {
  CheckEveryMove(true, &kMultiMoves[0][0], kMultiFocusCount);
}

TEST(Navigation, EveryPositionFocusesItsControl) {
  for (int i = 0; i < kSimpleFocusCount; ++i) {
    EXPECT_EQ(FocusControlId(false, i), kSimpleIds[i]) << "simple position " << i;
  }
  for (int i = 0; i < kMultiFocusCount; ++i) {
    EXPECT_EQ(FocusControlId(true, i), kMultiIds[i]) << "multi-unit position " << i;
  }
}

TEST(Navigation, OtherKeysAreLostAndChangeNothing) {
  const struct {
    int key;
    const char* name;
  } others[] = {{13, "Enter"},  {46, "Delete"}, {33, "PageUp"}, {34, "PageDown"},
                {-1, "negative"}, {41, "one past Down"}};
  for (bool multi : {false, true}) {
    for (const NavigationState before : {NavigationState{0, 0}, NavigationState{0, 3},
                                         NavigationState{1, 2}, NavigationState{1, 0}}) {
      for (const auto& o : others) {
        const NavigationStep step = NavigateByKey(multi, o.key, before);
        SCOPED_TRACE(testing::Message() << ModeName(multi) << " mode, key " << o.name
                                        << ", navigation " << before.KeyboardNavigation
                                        << " at " << before.FocusIndex);
        EXPECT_FALSE(step.restoreFocus);
        EXPECT_EQ(step.state.KeyboardNavigation, before.KeyboardNavigation);
        EXPECT_EQ(step.state.FocusIndex, before.FocusIndex);
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
  } rows[] = {{false, {0, 2}}, {false, {0, 13}}, {true, {0, 9}},   {true, {0, 13}},
              {false, {1, 4}}, {false, {1, 13}}, {false, {1, -1}}, {true, {1, -14}},
              {true, {1, 14}}, {true, {1, 100}}};
  for (const auto& r : rows) {
    const int* row0 = r.multi ? kMultiMoves[0] : kSimpleMoves[0];
    for (int k = 0; k < kKeyCount; ++k) {
      const NavigationStep step = NavigateByKey(r.multi, kKeys[k], r.before);
      SCOPED_TRACE(testing::Message() << ModeName(r.multi) << " mode, " << kKeyNames[k]
                                      << " with navigation " << r.before.KeyboardNavigation
                                      << " at " << r.before.FocusIndex);
      EXPECT_TRUE(step.restoreFocus);
      EXPECT_EQ(step.state.KeyboardNavigation, 1);
      EXPECT_EQ(step.state.FocusIndex, row0[k]);
    }
  }
  for (int bad : {4, 13, -1, 100}) EXPECT_EQ(FocusControlId(false, bad), 500) << bad;
  for (int bad : {-14, 14}) EXPECT_EQ(FocusControlId(true, bad), 500) << bad;
}

TEST(Navigation, SwitchingOnStartsOverAndSwitchingOffKeepsThePosition) {
  const struct {
    NavigationState before;
    bool on;
    NavigationState after;
  } cases[] = {
      {{0, 0}, true, {1, 0}},   {{0, 9}, true, {1, 0}},   {{1, 5}, true, {1, 0}},
      {{1, 5}, false, {0, 5}},  {{1, 0}, false, {0, 0}},  {{0, 12}, false, {0, 12}},
  };
  for (const auto& c : cases) {
    NavigationState s = c.before;
    SetKeyboardNavigation(s, c.on);
    SCOPED_TRACE(testing::Message() << (c.on ? "on" : "off") << " from ("
                                    << c.before.KeyboardNavigation << ", "
                                    << c.before.FocusIndex << ")");
    EXPECT_EQ(s.KeyboardNavigation, c.after.KeyboardNavigation);
    EXPECT_EQ(s.FocusIndex, c.after.FocusIndex);
  }
}

}  // namespace
}  // namespace quantora
