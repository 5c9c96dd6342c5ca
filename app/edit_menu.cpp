#include "app/edit_menu.h"

namespace quantora {

EditMenuState ComputeEditMenuState(const EditMenuFacts& facts) {
  EditMenuState s;
  const bool hasSelection = !facts.selectionEmpty;
  if (facts.focusIsValueEdit) {
    s.undo = facts.canUndo;
    s.cut = hasSelection;
    s.copy = hasSelection;
    s.paste = true;
  } else {
    s.copy = hasSelection;
  }
  s.copyResult = facts.canConvert;
  s.copyAll = facts.canConvert;
  return s;
}

bool SelectionIsEmpty(std::uint32_t getSelectionResult) {
  const auto start = static_cast<std::uint16_t>(getSelectionResult & 0xFFFFu);
  const auto end = static_cast<std::uint16_t>(getSelectionResult >> 16);
  return start == end;
}

}  // namespace quantora
