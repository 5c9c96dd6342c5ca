#include "app/edit_menu.h"

#include <gtest/gtest.h>

namespace quantora {
namespace {

TEST(EditMenu, ItemsFollowFocusSelectionUndoAndConversion) {
  const struct {
    EditMenuFacts facts;  // focus is value edit, selection empty, can undo, can convert
    EditMenuState state;  // undo, cut, copy, paste, copy result, copy all
  } cases[] = {
      // Focus elsewhere (result edit, a label, a button): at most Copy, and only with a
      // selection; Undo follows nothing but the value edit.
      {{false, false, true, false}, {false, false, true, false, false, false}},
      {{false, true, true, true}, {false, false, false, false, true, true}},
      // Focus in the value edit: Paste always; Cut and Copy with a selection; Undo when it can.
      {{true, false, false, true}, {false, true, true, true, true, true}},
      {{true, false, true, false}, {true, true, true, true, false, false}},
      {{true, true, false, false}, {false, false, false, true, false, false}},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(ComputeEditMenuState(c.facts) == c.state)
        << c.facts.focusIsValueEdit << c.facts.selectionEmpty << c.facts.canUndo
        << c.facts.canConvert;
  }
  // The answer to "get selection" compares start and end as 16-bit words.
  EXPECT_TRUE(SelectionIsEmpty(0x00050005u));
  EXPECT_FALSE(SelectionIsEmpty(0x0000FFFFu));
}

}  // namespace
}  // namespace quantora
