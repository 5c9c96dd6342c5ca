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

TEST(Navigation, FirstKeyStartsFromTheValueEditWhateverThePosition) {
  // With navigation off the kept position is stale: the key moves from position 0.
  for (bool multi : {false, true}) {
    const int* row0 = multi ? kMultiMoves[0] : kSimpleMoves[0];
    for (int stale : {0, 2, 3, 9, 13}) {
      for (int k = 0; k < kKeyCount; ++k) {
        const NavigationStep step = NavigateByKey(multi, kKeys[k], NavigationState{0, stale});
        SCOPED_TRACE(testing::Message() << ModeName(multi) << " mode, first " << kKeyNames[k]
                                        << ", kept position " << stale);
        EXPECT_TRUE(step.restoreFocus);
        EXPECT_EQ(step.state.KeyboardNavigation, 1);
        EXPECT_EQ(step.state.FocusIndex, row0[k]);
      }
    }
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

TEST(Navigation, PositionLeftOverFromMultiUnitModeCountsAsTheValueEdit) {
  // Leaving multi-unit mode does not reset the position; simple mode must never look past its
  // four entries and treats such a position as the value edit.
  for (int stale = 4; stale < kMultiFocusCount; ++stale) {
    SCOPED_TRACE(testing::Message() << "position " << stale << " after the switch");
    EXPECT_EQ(FocusControlId(false, stale), 500);
    EXPECT_EQ(StepFocusIndex(false, stale), 1);
    for (int k = 0; k < kKeyCount; ++k) {
      const NavigationStep step = NavigateByKey(false, kKeys[k], NavigationState{1, stale});
      EXPECT_TRUE(step.restoreFocus) << kKeyNames[k];
      EXPECT_EQ(step.state.FocusIndex, kSimpleMoves[0][k]) << kKeyNames[k];
    }
  }
  // Any other position outside the order is treated alike, in both modes.
  for (bool multi : {false, true}) {
    for (int bad : {-1, -14, 14, 100}) {
      SCOPED_TRACE(testing::Message() << ModeName(multi) << " mode, position " << bad);
      EXPECT_EQ(FocusControlId(multi, bad), 500);
      EXPECT_EQ(NavigateByKey(multi, kKeyTab, NavigationState{1, bad}).state.FocusIndex, 1);
    }
  }
  // A position valid in simple mode keeps its meaning in multi-unit mode.
  EXPECT_EQ(FocusControlId(true, 3), 604);
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
