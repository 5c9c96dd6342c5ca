#include "app/edit_menu.h"

#include <gtest/gtest.h>

namespace quantora {
namespace {

struct EditMenuCase {
  EditMenuFacts facts;  // focus is value edit, selection empty, can undo, can convert
  EditMenuState state;  // undo, cut, copy, paste, copy result, copy all
};

TEST(EditMenu, EveryCombinationOfTheFourFacts) {
  const EditMenuCase cases[] = {
      // Focus elsewhere (result edit, a label, a button): at most Copy, and only with a
      // selection; Undo follows nothing but the value edit.
      {{false, false, false, false}, {false, false, true, false, false, false}},
      {{false, false, false, true}, {false, false, true, false, true, true}},
      {{false, false, true, false}, {false, false, true, false, false, false}},
      {{false, false, true, true}, {false, false, true, false, true, true}},
      {{false, true, false, false}, {false, false, false, false, false, false}},
      {{false, true, false, true}, {false, false, false, false, true, true}},
      {{false, true, true, false}, {false, false, false, false, false, false}},
      {{false, true, true, true}, {false, false, false, false, true, true}},
      // Focus in the value edit: Paste always; Cut and Copy with a selection; Undo when it can.
      {{true, false, false, false}, {false, true, true, true, false, false}},
      {{true, false, false, true}, {false, true, true, true, true, true}},
      {{true, false, true, false}, {true, true, true, true, false, false}},
      {{true, false, true, true}, {true, true, true, true, true, true}},
      {{true, true, false, false}, {false, false, false, true, false, false}},
      {{true, true, false, true}, {false, false, false, true, true, true}},
      {{true, true, true, false}, {true, false, false, true, false, false}},
      {{true, true, true, true}, {true, false, false, true, true, true}},
  };
  for (const EditMenuCase& c : cases) {
    const EditMenuState got = ComputeEditMenuState(c.facts);
    SCOPED_TRACE(testing::Message()
                 << "valueEditFocused=" << c.facts.focusIsValueEdit
                 << " selectionEmpty=" << c.facts.selectionEmpty
                 << " canUndo=" << c.facts.canUndo << " canConvert=" << c.facts.canConvert);
    EXPECT_EQ(got.undo, c.state.undo);
    EXPECT_EQ(got.cut, c.state.cut);
    EXPECT_EQ(got.copy, c.state.copy);
    EXPECT_EQ(got.paste, c.state.paste);
    EXPECT_EQ(got.copyResult, c.state.copyResult);
    EXPECT_EQ(got.copyAll, c.state.copyAll);
  }
}

TEST(EditMenu, SelectionAnswerComparesTheTwoWordsAs16Bits) {
  const struct {
    std::uint32_t answer;
    bool empty;
  } cases[] = {
      {0x00000000u, true},   // no answer (a button, or no window at all)
      {0x00050005u, true},   // caret at 5, nothing selected
      {0x00070002u, false},  // 2..7 selected
      {0x00010000u, false},  // first character selected
      {0xFFFFFFFFu, true},
      {0x0000FFFFu, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SelectionIsEmpty(c.answer), c.empty) << std::hex << "answer 0x" << c.answer;
  }
}

}  // namespace
}  // namespace quantora
